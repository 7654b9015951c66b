#pragma once
// Which label captions which editor, told to assistive technology: the editor
// reports its label (QAccessible::Label) and the label its editors
// (QAccessible::Labelled), so a screen reader reads "Database, combo box".
// A Qt buddy would say the same, but it reads '&' in a caption such as
// "Save & Exit" as an access key and hides it.
#include <QAccessible>
#include <QList>
#include <QPair>

class QLabel;
class QObject;
class QWidget;

namespace z9 {

using AccessibleRelations = QList<QPair<QAccessibleInterface*, QAccessible::Relation>>;

// `label` captions `editor` (a label may caption several). Text boxes and
// labels get interfaces that report the relation; an editor with an interface
// of its own adds it with WithCaptionRelations.
void RelateCaption(QLabel* label, QWidget* editor);

// `base`, what an interface reports of itself, with the caption relations of
// `object` that `match` asks for. A label without text captions nothing, and
// labels no editor that is hidden.
AccessibleRelations WithCaptionRelations(AccessibleRelations base, const QObject* object,
                                         QAccessible::Relation match);

} // namespace z9
