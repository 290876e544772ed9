// The inspector's rows without the window: which properties an object shows (from its class's
// reflection table), in what order, how sub-objects and sets open into sub-rows, the text of each
// value, and reading typed text back into a value. Portable; the window sits on top of it.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "framework/core/classes.h"

// One line of the grid: a property of Instance (the inspected object or one of its sub-objects),
// or one member of a set property (Member >= 0).
struct TInspectorRow {
  std::string Path;  // "Font.Style.fsBold"
  std::string Name;  // the last part of Path
  int Level = 0;     // 0 for the inspected object's own properties
  TPersistent* Instance = nullptr;
  const TPropInfo* Prop = nullptr;
  int Member = -1;
  bool Expandable = false;
  bool Expanded = false;
};

// How a row's value is edited in place.
enum class TRowEditor {
  reNone,      // read-only
  reText,      // typed text
  rePickList,  // one of a fixed list (enumerations, booleans)
  reTextList,  // typed text or one of a list (colours, charsets)
};

// Paths compare without letter case; the set keeps them lower-cased.
using TPathSet = std::set<std::string>;
std::string PathKey(const std::string& Path);

struct TRowOptions {
  // Names (or whole paths) of properties never shown, letter case ignored.
  std::vector<std::string> Hidden;
  // The caption a registered dialog editor gives Object's row, or empty.
  std::function<std::string(const TPersistent& Object)> EditorCaption;
};

// The visible rows of Root: its properties sorted by name, and below each expanded row its own.
std::vector<TInspectorRow> BuildInspectorRows(TPersistent* Root, const TRowOptions& Options, const TPathSet& Expanded);
// The row at Path, whether its parents are expanded or not; false when there is none.
bool FindInspectorRow(TPersistent* Root, const TRowOptions& Options, const std::string& Path, TInspectorRow& Row);

std::string RowValueText(const TInspectorRow& Row, const TRowOptions& Options);
TRowEditor RowEditor(const TInspectorRow& Row);
// The choices the row's drop-down list offers; empty for rows without one.
std::vector<std::string> RowPickList(const TInspectorRow& Row);
// The sub-object a class row holds, or nil.
TPersistent* RowObject(const TInspectorRow& Row);

// Text read as the row's value: Ok, or the message that says why not.
struct TRowValue {
  bool Ok = false;
  int64_t Ordinal = 0;
  std::string Text;
  std::string Error;
};
TRowValue ParseRowValue(const TInspectorRow& Row, const std::string& Text);
// Stores Value through the property's setter (a set member changes its one bit).
void ApplyRowValue(const TInspectorRow& Row, const TRowValue& Value);
