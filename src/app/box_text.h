// The few operations the windows need of their history boxes, in one place.
#pragma once

#include <QComboBox>
#include <QStringList>
#include <string>

namespace pixdeck {

std::string BoxText(const QComboBox* box);
// Makes text the box's value (and its undo text); a box that keeps its
// history adds the text at the start of the list.
void SetBoxInitialText(QComboBox* box, const std::string& text);
// Validates the current text at once, adding it to the history.
void CommitBoxText(QComboBox* box);
QStringList BoxItems(const QComboBox* box);
void SetBoxItems(QComboBox* box, const QStringList& items);

}  // namespace pixdeck
