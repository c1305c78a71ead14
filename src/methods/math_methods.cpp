// The mathematical functions, reached as methods of the Math object and as global functions.
// Elements without value are left out of sums and statistics and stay without value in
// element-wise results.
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "methods/builtin_methods.h"
#include "methods/method_args.h"
#include "script/value_operations.h"

namespace {

// Exactly one argument; every element that holds a value becomes Function of its number.
template <double (*Function)(double)>
bool ElementWise(CMethodCall& call) {
  return EachElement(call, 1, 1, [](CNValue& result, uint32_t i, const ValueElement& element) {
    if (element.kind != VK_NA) result.SetNumberAt(i, Function(ElementAsNumber(element)));
  });
}

double Absolute(double x) { return std::fabs(x); }
double Ceiling(double x) { return std::ceil(x); }
double Floor(double x) { return std::floor(x); }
double Log(double x) { return std::log(x); }
double Log10(double x) { return std::log10(x); }
double Sqrt(double x) { return std::sqrt(x); }
double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double Asin(double x) { return std::asin(x); }
double Acos(double x) { return std::acos(x); }
double Atan(double x) { return std::atan(x); }
double Exp(double x) { return std::exp(x); }

// The numbers of every element that holds a value, over all arguments.
std::vector<double> NumbersOf(const CMethodCall& call) {
  std::vector<double> numbers;
  for (const CNValue* arg : call.args)
    for (uint32_t i = 0; i < arg->GetCount(); ++i)
      if (!arg->IsNA(i)) numbers.push_back(arg->GetNumber(i));
  return numbers;
}

double Total(const std::vector<double>& numbers) {
  double sum = 0;
  for (double n : numbers) sum += n;
  return sum;
}

// A statistic of all numbers of all arguments (at least one argument); Statistic returns false
// when it has no result (no numbers), and the result is then an element without value.
template <bool (*Statistic)(const std::vector<double>&, double&)>
bool Statistics(CMethodCall& call) {
  if (call.Count() < 1) return false;
  double result = 0;
  if (Statistic(NumbersOf(call), result)) call.result.SetNumber(result);
  else call.result.SetNA();
  return true;
}

bool SumOf(const std::vector<double>& numbers, double& out) {
  out = Total(numbers);
  return true;
}

bool AverageOf(const std::vector<double>& numbers, double& out) {
  out = Total(numbers) / static_cast<double>(numbers.size());
  return !numbers.empty();
}

bool MaximumOf(const std::vector<double>& numbers, double& out) {
  if (numbers.empty()) return false;
  out = *std::max_element(numbers.begin(), numbers.end());
  return true;
}

bool MinimumOf(const std::vector<double>& numbers, double& out) {
  if (numbers.empty()) return false;
  out = *std::min_element(numbers.begin(), numbers.end());
  return true;
}

// The sample standard deviation: needs two numbers.
bool DeviationOf(const std::vector<double>& numbers, double& out) {
  if (numbers.size() < 2) return false;
  const double mean = Total(numbers) / static_cast<double>(numbers.size());
  double squares = 0;
  for (double n : numbers) squares += (n - mean) * (n - mean);
  out = std::sqrt(squares / static_cast<double>(numbers.size() - 1));
  return true;
}

// "Summary"(values...): c(count, sum, average, minimum, maximum) of all numbers; with no numbers
// the last three hold no value.
bool Summary(CMethodCall& call) {
  if (call.Count() < 1) return false;
  const std::vector<double> numbers = NumbersOf(call);
  constexpr uint32_t kFive = 5;
  call.result.SetDimensions(1, &kFive);
  call.result.SetNumberAt(0, static_cast<double>(numbers.size()));
  call.result.SetNumberAt(1, Total(numbers));
  double n = 0;
  if (AverageOf(numbers, n)) call.result.SetNumberAt(2, n);
  if (MinimumOf(numbers, n)) call.result.SetNumberAt(3, n);
  if (MaximumOf(numbers, n)) call.result.SetNumberAt(4, n);
  return true;
}

// "Adjust"(value, step): each element as a whole number rounded to the nearest multiple of step.
bool Adjust(CMethodCall& call) {
  const int64_t step = call.Count() == 2 ? std::max<int64_t>(std::llabs(ArgInt32(call.Arg(1))), 1) : 1;
  return EachElement(call, 2, 2, [step](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind == VK_NA) return;
    const double whole = std::trunc(ElementAsNumber(e));
    const int64_t n = whole >= INT32_MIN && whole <= INT32_MAX ? static_cast<int64_t>(whole) : 0;
    int64_t magnitude = std::llabs(n);
    const int64_t remainder = magnitude % step;
    magnitude -= remainder;
    if (remainder >= step / 2 && step > 1) magnitude += step;
    result.SetNumberAt(i, static_cast<double>(n < 0 ? -magnitude : magnitude));
  });
}

// "Pow"(base, exponent): element by element, the exponent repeating cyclically.
bool Pow(CMethodCall& call) {
  if (call.Count() != 2) return false;
  PowerValues(call.result, call.Arg(0), call.Arg(1));
  return true;
}

// "Nthroots"(value, n): the n-th root of each element, n repeating cyclically; an odd root of a
// negative number is negative.
bool Nthroots(CMethodCall& call) {
  if (call.Count() != 2) return false;
  const CNValue& roots = call.Arg(1);
  ForEachElement(call.result, call.Arg(0), [&](CNValue& result, uint32_t i, const ValueElement& e) {
    const ValueElement* n = CyclicElement(roots, i);
    if (e.kind == VK_NA || !n || n->kind == VK_NA) return;
    const double x = ElementAsNumber(e), root = ElementAsNumber(*n);
    const bool oddRoot = std::fmod(std::fabs(root), 2.0) == 1.0;
    result.SetNumberAt(i, x < 0 && oddRoot ? -std::pow(-x, 1.0 / root) : std::pow(x, 1.0 / root));
  });
  return true;
}

// "AddingUp"(values, first, last, ...): the sum of the elements at positions first to last,
// both included, cut to the elements the value has.
bool AddingUp(CMethodCall& call) {
  if (call.Count() < 3) return false;
  const CNValue& values = call.Arg(0);
  const int64_t first = std::max<int64_t>(ArgInt32(call.Arg(1)), 0);
  const int64_t last = std::min<int64_t>(ArgInt32(call.Arg(2)), int64_t{values.GetCount()} - 1);
  double sum = 0;
  for (int64_t i = first; i <= last; ++i)
    if (!values.IsNA(static_cast<uint32_t>(i))) sum += values.GetNumber(static_cast<uint32_t>(i));
  call.result.SetNumber(sum);
  return true;
}

// The pairs (x, y) of a table of two rows (x first), or of a table of two columns.
bool PairsOf(const CNValue& table, std::vector<double>& xs, std::vector<double>& ys) {
  if (table.GetDimensionCount() != 2) return false;
  const uint32_t rows = table.GetDimensionSize(0), cols = table.GetDimensionSize(1);
  const bool byRows = rows == 2;
  if (!byRows && cols != 2) return false;
  const uint32_t n = byRows ? cols : rows;
  for (uint32_t k = 0; k < n; ++k) {
    const uint32_t x = byRows ? k : 2 * k, y = byRows ? cols + k : 2 * k + 1;
    if (table.IsNA(x) || table.IsNA(y)) continue;
    xs.push_back(table.GetNumber(x));
    ys.push_back(table.GetNumber(y));
  }
  return xs.size() >= 2;
}

// Sums of the pairs for correlation and the least-squares line.
struct PairSums {
  double n = 0, x = 0, y = 0, xx = 0, yy = 0, xy = 0;
  PairSums(const std::vector<double>& xs, const std::vector<double>& ys) {
    for (size_t k = 0; k < xs.size(); ++k) {
      n += 1, x += xs[k], y += ys[k], xx += xs[k] * xs[k], yy += ys[k] * ys[k], xy += xs[k] * ys[k];
    }
  }
  double Sxx() const { return xx - x * x / n; }
  double Syy() const { return yy - y * y / n; }
  double Sxy() const { return xy - x * y / n; }
};

// "Correl"(table): the correlation coefficient of the pairs; no value with fewer than two pairs
// or without spread.
bool Correl(CMethodCall& call) {
  if (call.Count() != 1) return false;
  std::vector<double> xs, ys;
  call.result.SetNA();
  if (!PairsOf(call.Arg(0), xs, ys)) return true;
  const PairSums s(xs, ys);
  const double spread = std::sqrt(s.Sxx() * s.Syy());
  if (spread > 0) call.result.SetNumber(s.Sxy() / spread);
  return true;
}

// "LineSt"(table): c(slope, intercept) of the least-squares line through the pairs; the empty
// value with fewer than two pairs or when every x is the same.
bool LineSt(CMethodCall& call) {
  if (call.Count() != 1) return false;
  std::vector<double> xs, ys;
  if (!PairsOf(call.Arg(0), xs, ys)) return true;
  const PairSums s(xs, ys);
  if (s.Sxx() == 0) return true;
  const double slope = s.Sxy() / s.Sxx();
  constexpr uint32_t kTwo = 2;
  call.result.SetDimensions(1, &kTwo);
  call.result.SetNumberAt(0, slope);
  call.result.SetNumberAt(1, (s.y - slope * s.x) / s.n);
  return true;
}

// Maps each element of value from [low, high] onto [to low, to high] and hands it to Finish;
// clamped to the target range when limit is true. An empty source range leaves no value.
template <class Finish>
void Transform(CMethodCall& call, double low, double high, double toLow, double toHigh, bool limit, Finish finish) {
  ForEachElement(call.result, call.Arg(0), [&](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind == VK_NA || high == low) return;
    double y = toLow + (ElementAsNumber(e) - low) * (toHigh - toLow) / (high - low);
    if (limit) y = std::clamp(y, std::min(toLow, toHigh), std::max(toLow, toHigh));
    result.SetNumberAt(i, finish(y));
  });
}

// "LT"/"LinearTrans"(value, low, high, to low, to high, limit, ...).
bool LinearTrans(CMethodCall& call) {
  if (call.Count() < 6) return false;
  auto number = [&](size_t k) { return call.Arg(k).GetNumber(0); };
  Transform(call, number(1), number(2), number(3), number(4), call.Arg(5).GetBool(0), [](double y) { return y; });
  return true;
}

// "PT"/"PowerFactorTrans"(value, low, high, limit, ...): the value mapped from [low, high] onto
// the linear power-factor scale -1 to 1 and read as the power factor there (1 - x lagging,
// -(1 + x) leading).
bool PowerFactorTrans(CMethodCall& call) {
  if (call.Count() < 4) return false;
  Transform(call, call.Arg(1).GetNumber(0), call.Arg(2).GetNumber(0), -1.0, 1.0, call.Arg(3).GetBool(0),
            [](double x) { return x >= 0 ? 1 - x : -(1 + x); });
  return true;
}

// "VALUEHUGE"(): the largest floating-point number.
bool ValueHuge(CMethodCall& call) {
  if (call.Count() != 0) return false;
  call.result.SetNumber(std::numeric_limits<double>::max());
  return true;
}

// "Round"(value[, digits]): each element rounded half away from zero to digits decimal places
// (default 0; negative digits round to tens, hundreds, ...).
bool Round(CMethodCall& call) {
  const int32_t digits = call.Count() > 1 ? std::clamp(ArgInt32(call.Arg(1)), -300, 300) : 0;
  const double scale = std::pow(10.0, digits);
  return EachElement(call, 1, SIZE_MAX, [scale](CNValue& result, uint32_t i, const ValueElement& e) {
    if (e.kind == VK_NA) return;
    const double x = ElementAsNumber(e);
    const double scaled = std::round(x * scale) / scale;
    result.SetNumberAt(i, std::isfinite(scaled) ? scaled : x);
  });
}

constexpr std::array kMathMethods = {
    MethodEntry{u"Abs", "The absolute value of each element", &ElementWise<&Absolute>},
    MethodEntry{u"Ceil", "Each element rounded up to a whole number", &ElementWise<&Ceiling>},
    MethodEntry{u"Floor", "Each element rounded down to a whole number", &ElementWise<&Floor>},
    MethodEntry{u"Sum", "The sum of every number of every argument", &Statistics<&SumOf>},
    MethodEntry{u"Ave", "The average of every number of every argument", &Statistics<&AverageOf>},
    MethodEntry{u"Max", "The largest number of every argument", &Statistics<&MaximumOf>},
    MethodEntry{u"Min", "The smallest number of every argument", &Statistics<&MinimumOf>},
    MethodEntry{u"Adjust", "Each element as a whole number rounded to the nearest multiple of a step",
                &Adjust},
    MethodEntry{u"Log", "The natural logarithm of each element", &ElementWise<&Log>},
    MethodEntry{u"Log10", "The base-10 logarithm of each element", &ElementWise<&Log10>},
    MethodEntry{u"Pow", "Each element raised to a power", &Pow},
    MethodEntry{u"Sqrt", "The square root of each element", &ElementWise<&Sqrt>},
    MethodEntry{u"Nthroots", "The n-th root of each element", &Nthroots},
    MethodEntry{u"AddingUp", "The sum of the elements from one position to another", &AddingUp},
    MethodEntry{u"StDev", "The sample standard deviation of every number of every argument",
                &Statistics<&DeviationOf>},
    MethodEntry{u"Correl", "The correlation coefficient of the (x, y) pairs of a table", &Correl},
    MethodEntry{u"LineSt", "Slope and intercept of the least-squares line through the pairs of a table",
                &LineSt},
    MethodEntry{u"Sin", "The sine of each element (radians)", &ElementWise<&Sin>},
    MethodEntry{u"Cos", "The cosine of each element (radians)", &ElementWise<&Cos>},
    MethodEntry{u"Tan", "The tangent of each element (radians)", &ElementWise<&Tan>},
    MethodEntry{u"Asin", "The arc sine of each element, in radians", &ElementWise<&Asin>},
    MethodEntry{u"Acos", "The arc cosine of each element, in radians", &ElementWise<&Acos>},
    MethodEntry{u"Atan", "The arc tangent of each element, in radians", &ElementWise<&Atan>},
    MethodEntry{u"Exp", "e raised to each element", &ElementWise<&Exp>},
    MethodEntry{u"Summary", "Count, sum, average, minimum and maximum of every number", &Summary},
    MethodEntry{u"LT", "Short for LinearTrans", &LinearTrans},
    MethodEntry{u"LinearTrans", "A value mapped linearly from one range onto another", &LinearTrans},
    MethodEntry{u"PT", "Short for PowerFactorTrans", &PowerFactorTrans},
    MethodEntry{u"PowerFactorTrans", "A value mapped from a range onto the power-factor scale",
                &PowerFactorTrans},
    MethodEntry{u"VALUEHUGE", "The largest floating-point number", &ValueHuge},
    MethodEntry{u"Round", "Each element rounded half away from zero to some decimal places", &Round},
};

}  // namespace

const CKVMethodTable& MathMethods() {
  static const CKVMethodTable s_table(kMathMethods);
  return s_table;
}
