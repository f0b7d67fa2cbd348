#pragma once

#include <functional>

class QDate;
class QWidget;

namespace tk {

class Report;

// The register lists, opened by the print button (Ctrl+P) of their windows: each list is
// created with its own tables, shown in the engine's preview until it is closed, and freed.
// Errors (a table that cannot be opened) show the error box.
void previewPersonnelList(QWidget *parent);
void previewShiftPlanList(QWidget *parent);
// The month overview of the month beginning on firstDay.
void previewMonthOverviewList(QWidget *parent, const QDate &firstDay);

// Replaces how these lists are shown (default: the engine's preview); null restores the
// default. For tests, which must not wait on a preview window.
void setListPreviewer(std::function<void(Report &, QWidget *)> previewer);

} // namespace tk
