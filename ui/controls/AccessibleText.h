#pragma once

class QAccessibleInterface;
class QLabel;

namespace miravane {

// A label showing plain text as a screen reader reads it: its name, its text with where each
// character lies, line by line as the label draws it (so that it can be read by line, word and
// character), a heading where the window presents it so, and the label of its buddy. Null for a
// label that shows anything else (a picture, rich text, text the user can select), which the
// toolkit lays out otherwise and presents itself.
QAccessibleInterface* accessibleLabelText(QLabel* label);

// The label heads the part of the window under it.
void presentAsHeading(QLabel* label);

}  // namespace miravane
