#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "objects/class_properties.h"
#include "objects/property_info.h"
#include "objects/stored_values.h"
#include "support/ref_cnt.h"
#include "values/value.h"

class CNObject;
class CNScript;

// The document, view or project an object tree belongs to: what objects ask of the world
// around them. Every operation has a harmless default.
class CNObjectOwner {
 public:
  virtual ~CNObjectOwner() = default;
  // A child was added below an object of the tree.
  virtual void OnChildAdded(CNObject* /*parent*/, CNObject* /*child*/) {}
  // The script engine that runs the tree's event scripts; null when scripts are off.
  virtual CNScript* GetScript() { return nullptr; }
  // Sees every input event of an object before the object's own handler (event name, its
  // arguments, and the object as an object value last).
  virtual void DispatchEvent(CNObject* /*object*/, std::u16string_view /*name*/, const CNValue* /*args*/,
                             uint32_t /*count*/) {}
  // Asks for a repaint of the object's area.
  virtual void RequestRedraw(CNObject* /*object*/) {}
  // The last mouse position in the view that shows the tree; false when not shown.
  virtual bool GetMousePosition(int32_t& /*x*/, int32_t& /*y*/) const { return false; }
  // The last mouse position in the view that shows object, in its form's coordinates; false when
  // no view shows it.
  virtual bool GetMousePositionOf(const CNObject& /*object*/, int32_t& x, int32_t& y) const {
    return GetMousePosition(x, y);
  }
};

// A property declared by a file's "Customize" text, after the class's own properties.
struct CNCustomProperty {
  std::u16string name;
  std::u16string list;     // items of an enumeration over the declared "List"
  PropertyInfo info;       // views into name and list
  CNValue value;
  bool showProperty = true;
  bool showBind = true;
  bool notDefined = false;  // tag property declared "#NOTDEF#"
  bool allowEmpty = false;
  bool decimalPlaces = true;
};

// A scriptable node of an object tree: name, ordered children, parent, event and bind texts,
// and named properties read and written as values. Names compare exactly everywhere.
class CNObject : public CRRefCnt {
 public:
  CNObject() = default;
  CNObject(const CNObject&) = delete;
  CNObject& operator=(const CNObject&) = delete;
  ~CNObject() override;

  // ---- identity
  virtual std::u16string_view GetClassId() const { return {}; }
  const std::u16string& GetName() const { return m_strName; }
  virtual void SetName(std::u16string_view name) { m_strName = name; }
  // base + the largest number found after base among the children's names, plus one ("%02d").
  std::u16string MakeUniqueChildName(std::u16string_view base) const;
  std::u16string GetFileName() const { return m_strName + u".xml"; }
  int32_t GetStateWord() const { return m_lState; }
  void SetStateWord(int32_t state) { m_lState = state; }

  // ---- tree
  int32_t GetChildCount() const { return static_cast<int32_t>(m_children.size()); }
  CNObject* GetChild(int32_t i) const;
  // Takes over the caller's reference; the child's parent becomes this object.
  int AddChild(CNObject* child);
  // AddChild, then tells the child it was attached.
  int AttachChild(CNObject* child);
  int RemoveChild(CNObject* child);
  int RemoveChildAt(int32_t i);
  int MoveChild(int32_t from, int32_t to);
  int RemoveAllChildren();
  int32_t GetIndexInParent() const;
  int32_t FindChildIndex(std::u16string_view name) const;
  CNObject* FindChild(std::u16string_view name) const;
  // Child indexes from the nearest ancestor with the clid (the root when empty or absent) down
  // to this object.
  std::vector<int32_t> GetIndexPath(std::u16string_view ancestorClid = {}) const;
  // The object a path from this object leads to; null when a step is out of range.
  CNObject* FindByIndexPath(const std::vector<int32_t>& path);
  CNObject* GetParent() const { return m_pParent; }
  void SetParent(CNObject* parent) { m_pParent = parent; }
  CNObject* GetRoot();
  // The owner of the tree: this object's own, else the nearest ancestor's.
  CNObjectOwner* GetOwner() const;
  void SetOwner(CNObjectOwner* owner) { m_pOwner = owner; }

  // ---- properties: the class's entries first, then custom properties
  // The class's table; a class without one has no entries.
  virtual const CNClassProperties& GetClassProperties() const;
  uint32_t GetPropertyCount() const;
  std::u16string_view GetPropertyName(uint32_t i) const;
  const PropertyInfo* GetPropertyInfo(uint32_t i) const;
  const PropertyInfo* FindPropertyInfo(std::u16string_view name) const;
  int32_t FindPropertyIndex(std::u16string_view name) const;  // -1 when absent

  // 1 when the property exists and was set.
  virtual int SetProperty(std::u16string_view name, const CNValue& value);
  // SetProperty with a string value holding text (a property as a form file gives it), without
  // making that value where the class stores the property as converted.
  int SetPropertyText(std::u16string_view name, std::u16string_view text);
  // The same for property i of the class table, which the caller has looked up.
  int SetClassPropertyText(uint32_t i, std::u16string_view text);
  // 1 when the name is known; value untouched otherwise.
  virtual int GetProperty(std::u16string_view name, CNValue& value) const;
  int GetPropertyDefault(std::u16string_view name, CNValue& value) const;
  // The same for property i of the class table, which the caller has looked up.
  int GetClassProperty(uint32_t i, CNValue& value) const { return GetPropertyAt(i, value); }
  // 0 when the class answers no default for property i.
  virtual int GetClassPropertyDefault(uint32_t i, CNValue& value) const;
  int ResetProperty(std::u16string_view name);

  // Custom properties. Add refuses a name the object already has.
  bool AddCustomProperty(std::unique_ptr<CNCustomProperty> property);
  uint32_t GetCustomPropertyCount() const { return static_cast<uint32_t>(m_custom.size()); }
  CNCustomProperty* GetCustomProperty(uint32_t i) const { return m_custom[i].get(); }
  CNCustomProperty* FindCustomProperty(std::u16string_view name) const;

  // ---- scripts
  const std::u16string& GetEvent() const { return m_strEvent; }
  virtual void SetEvent(std::u16string_view text) { m_strEvent = text; }
  const std::u16string& GetBind() const { return m_strBind; }
  virtual void SetBind(std::u16string_view text) { m_strBind = text; }
  std::u16string GetBindSection(std::u16string_view name) const;
  void SetBindSection(std::u16string_view name, std::u16string_view text);

  // ---- form file
  // Appends the object's element, with its children's inside, as UTF-8 (form_file_writer.h);
  // an empty elementName writes "OBJ". omitDefaults leaves out values equal to their defaults.
  virtual void SaveXml(std::string& out, std::u16string_view elementName, bool omitDefaults) const;

 protected:
  // Stores a value into property i of the class table; derived classes intercept the
  // properties they compute or react to and pass the rest on.
  virtual int SetPropertyAt(uint32_t i, const CNValue& value);
  // Whether SetPropertyAt, through every class of the object, only converts property i of the
  // class table and stores it here, so that SetPropertyText may do that itself. No by default;
  // a class that takes a property its own way (in SetProperty or SetPropertyAt) answers no for it.
  virtual bool StoresConverted(uint32_t /*i*/) const { return false; }
  // Reads property i of the class table: the stored value or the class's default.
  virtual int GetPropertyAt(uint32_t i, CNValue& value) const;
  // Names outside the table that the class answers anyway (read-only run-time values).
  virtual int GetExtraProperty(std::u16string_view name, CNValue& value) const;
  virtual int GetExtraPropertyDefault(std::u16string_view name, CNValue& value) const;
  // Called on the child after AttachChild.
  virtual void OnAttached() {}
  // Called after every successful SetProperty with the property's index (custom properties
  // after the class entries).
  virtual void OnPropertySet(uint32_t /*index*/) {}
  // The stored value of property i of the class table, else its default, else null.
  const CNValue* StoredProperty(uint32_t i) const;

 private:
  // StoresConverted, asked once per class and property; table is the class's.
  bool StoresConvertedKnown(const CNClassProperties& table, uint32_t i) const;

  int32_t m_lState = 0;
  std::u16string m_strName;
  std::vector<CNObject*> m_children;  // one reference each
  CNObject* m_pParent = nullptr;      // not owned
  std::u16string m_strEvent;
  std::u16string m_strBind;
  CNObjectOwner* m_pOwner = nullptr;
  // Values set on class properties; properties never set read their default.
  CNStoredValues m_values;
  std::vector<std::unique_ptr<CNCustomProperty>> m_custom;
};

// Ties a class to its constexpr tables and clid with no per-class boilerplate: a class declares
// `static constexpr std::u16string_view kClassId`, `kProperties` and `kEvents`, and derives
// through CNObjectClass<Itself, Base>.
template <class Derived, class Base>
class CNObjectClass : public Base {
 public:
  using Base::Base;
  std::u16string_view GetClassId() const override { return Derived::kClassId; }
  const CNClassProperties& GetClassProperties() const override {
    static const CNClassProperties s_properties(Derived::kProperties, Derived::kEvents);
    return s_properties;
  }
};
