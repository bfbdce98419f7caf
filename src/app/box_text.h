// The history boxes' texts as the core's strings.
#pragma once

#include <string>
#include <vector>

#include "inputs/qel_combo_box.h"

namespace pixdeck {

std::string BoxText(const TQelComboBox* box);
// Makes text the box's value and undo text (a history box adds it to its list).
void SetBoxInitialText(TQelComboBox* box, const std::string& text);
// A chosen text (a browse result) as if typed, validated at once so that it
// enters the history without leaving the box.
void TakeChosenText(TQelComboBox* box, const std::string& text);
std::vector<std::string> BoxItems(const TQelComboBox* box);
// Replaces the box's list as a whole (a box without AllowNull selects the
// first item, as on every first item added to an empty list).
void SetBoxItems(TQelComboBox* box, const std::vector<std::string>& items);

}  // namespace pixdeck
