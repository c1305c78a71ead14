#include "graphs/plot_graph.h"

#include <algorithm>
#include <cmath>

#include "formats/format_store.h"
#include "objects/property_read.h"

bool CNPPlotGraph::ReadX(const ValueElement& element, double& x) const {
  if (element.kind == VK_NA) return false;
  x = ElementAsNumber(element);
  return std::isfinite(x);
}

std::u16string CNPPlotGraph::XLabel(double x, double /*step*/) const {
  return CNFormatStore::Global().Format(PropertyText(*this, u"FormatNumberX"), -1, false, x, -1, -1);
}

void CNPPlotGraph::DefaultXRange(double& from, double& to) const {
  from = 0;
  to = 100;
  const CPlotGroup* group = GetSelectedGroupPtr();
  if (!group) return;
  bool any = false;
  for (const auto& pen : group->pens) {
    const CPlotSamples& samples = pen->samples;
    for (size_t i = 0; i < samples.Size();
         i += samples.IsOrdered() ? std::max<size_t>(1, samples.Size() - 1) : 1) {
      const double x = samples[i].x;
      from = any ? std::min(from, x) : x;
      to = any ? std::max(to, x) : x;
      any = true;
    }
  }
  if (any && !(to > from)) to = from + 1;
}
