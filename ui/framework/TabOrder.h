#pragma once
// Tab and Shift+Tab follow the order in which a window reads: top to bottom,
// left to right, a tab widget's headings before its pages, a group's
// entries together, a field's button right after the field.

class QWidget;

namespace qv::ui {

// Moves the focus from the focus widget to the next (or previous) entry of
// `window` in reading order, around from the last to the first: for a
// window's focusNextPrevChild(). An exclusive row of radio buttons is one
// entry (the arrows move within it). False when the focus is on no entry
// laid out in the window, which then tabs as Qt does.
bool focusNextInReadingOrder(QWidget* window, bool next);

}  // namespace qv::ui
