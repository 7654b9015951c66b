#include "AccessibleCaption.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QValidator>

namespace z9 {

namespace {

// Who captions whom; entries go with the widgets they name.
QHash<const QObject*, QPointer<QLabel>>& LabelOf() {
    static QHash<const QObject*, QPointer<QLabel>> labels;
    return labels;
}
QHash<const QObject*, QList<QPointer<QWidget>>>& EditorsOf() {
    static QHash<const QObject*, QList<QPointer<QWidget>>> editors;
    return editors;
}

// A caption label: static text named by its caption, reporting its editors.
class CaptionInterface : public QAccessibleWidget {
public:
    explicit CaptionInterface(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }
    AccessibleRelations relations(QAccessible::Relation match) const override {
        return WithCaptionRelations(QAccessibleWidget::relations(match), object(), match);
    }
};

// A text box that reports its caption: what Qt's own text box interface
// offers (its text, caret, selection and editing; a masked box shows its mask
// and gives no text away), with the relation added.
class CaptionedTextBox : public QAccessibleWidget,
                         public QAccessibleTextInterface,
                         public QAccessibleEditableTextInterface {
public:
    explicit CaptionedTextBox(QLineEdit* edit) : QAccessibleWidget(edit, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    AccessibleRelations relations(QAccessible::Relation match) const override {
        return WithCaptionRelations(QAccessibleWidget::relations(match), object(), match);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return Edit()->echoMode() == QLineEdit::NoEcho ? QString() : Edit()->displayText();
        QString s = QAccessibleWidget::text(t);
        if (s.isEmpty() && t == QAccessible::Description) s = Edit()->placeholderText();
        return s;
    }

    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
            return;
        }
        QString value = text;
        int pos = 0;
        if (Edit()->isReadOnly() ||
            (Edit()->validator() && Edit()->validator()->validate(value, pos) != QValidator::Acceptable))
            return;
        Edit()->setText(value);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        if (Edit()->isReadOnly())
            s.readOnly = true;
        else
            s.editable = true;
        if (Edit()->echoMode() != QLineEdit::Normal) s.passwordEdit = true;
        s.selectableText = true;
        return s;
    }

    // Selection: a text box has at most one.
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        if (index != 0 || !Edit()->hasSelectedText()) return;
        *start = Edit()->selectionStart();
        *end = *start + Edit()->selectedText().size();
    }
    int selectionCount() const override { return Edit()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override {
        if (index == 0) Edit()->deselect();
    }
    void setSelection(int index, int start, int end) override {
        if (index == 0) Edit()->setSelection(start, end - start);
    }

    int cursorPosition() const override { return Edit()->cursorPosition(); }
    void setCursorPosition(int position) override { Edit()->setCursorPosition(position); }

    QString text(int start, int end) const override {
        if (start > end || !Plain()) return {};
        return Edit()->text().mid(start, end - start);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                             int* end) const override {
        if (!Plain()) return Nothing(start, end);
        return QAccessibleTextInterface::textBeforeOffset(offset, boundary, start, end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                            int* end) const override {
        if (!Plain()) return Nothing(start, end);
        return QAccessibleTextInterface::textAfterOffset(offset, boundary, start, end);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start,
                         int* end) const override {
        if (!Plain()) return Nothing(start, end);
        return QAccessibleTextInterface::textAtOffset(offset, boundary, start, end);
    }
    int characterCount() const override { return Edit()->text().size(); }

    // Measured along the shown text from where the caret stands.
    QRect characterRect(int offset) const override {
        const QString shown = Edit()->displayText();
        if (offset < 0 || offset >= shown.size()) return {};
        const QFontMetrics metrics(Edit()->font());
        const QRect caret = Edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int origin = caret.x() - metrics.horizontalAdvance(shown.left(Edit()->cursorPosition()));
        const QPoint topLeft(origin + metrics.horizontalAdvance(shown.left(offset)), caret.y());
        return {Edit()->mapToGlobal(topLeft),
                QSize(metrics.horizontalAdvance(shown.at(offset)), caret.height())};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        Edit()->setCursorPosition(end);
        Edit()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

    // Editing goes where typing may go.
    void deleteText(int start, int end) override { replaceText(start, end, {}); }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override {
        if (Edit()->isReadOnly()) return;
        Edit()->setText(Edit()->text().replace(start, end - start, text));
    }

private:
    QLineEdit* Edit() const { return static_cast<QLineEdit*>(widget()); }
    bool Plain() const { return Edit()->echoMode() == QLineEdit::Normal; }
    static QString Nothing(int* start, int* end) {
        *start = *end = -1;
        return {};
    }
};

QAccessibleInterface* CaptionFactory(const QString&, QObject* object) {
    if (auto* label = qobject_cast<QLabel*>(object))
        return EditorsOf().contains(object) ? new CaptionInterface(label) : nullptr;
    if (auto* edit = qobject_cast<QLineEdit*>(object))
        return LabelOf().contains(object) ? new CaptionedTextBox(edit) : nullptr;
    return nullptr;
}

// A label or text box that got Qt's own interface before it was related (a
// name change asks for one) gets ours the next time it is asked for.
void Reconsider(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    if (!iface) return;
    const bool ours = qobject_cast<QLabel*>(object)      ? dynamic_cast<CaptionInterface*>(iface) != nullptr
                      : qobject_cast<QLineEdit*>(object) ? dynamic_cast<CaptionedTextBox*>(iface) != nullptr
                                                         : true;
    if (!ours) QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

} // namespace

void RelateCaption(QLabel* label, QWidget* editor) {
    static const bool installed = (QAccessible::installFactory(CaptionFactory), true);
    (void)installed;
    if (!label || !editor) return;
    if (!LabelOf().contains(editor))
        QObject::connect(editor, &QObject::destroyed, [](QObject* gone) { LabelOf().remove(gone); });
    LabelOf().insert(editor, label);
    if (!EditorsOf().contains(label))
        QObject::connect(label, &QObject::destroyed, [](QObject* gone) { EditorsOf().remove(gone); });
    QList<QPointer<QWidget>>& editors = EditorsOf()[label];
    editors.removeAll(QPointer<QWidget>());
    if (!editors.contains(editor)) editors.append(editor);
    Reconsider(label);
    Reconsider(editor);
}

AccessibleRelations WithCaptionRelations(AccessibleRelations base, const QObject* object,
                                         QAccessible::Relation match) {
    if (match & QAccessible::Label) {
        const QPointer<QLabel> label = LabelOf().value(object);
        if (label && !label->text().isEmpty())
            if (QAccessibleInterface* caption = QAccessible::queryAccessibleInterface(label))
                base.append({caption, QAccessible::Label});
    }
    if (match & QAccessible::Labelled) {
        const auto* label = qobject_cast<const QLabel*>(object);
        if (label && !label->text().isEmpty())
            for (const QPointer<QWidget>& editor : EditorsOf().value(object))
                // A field shows one editor of several.
                if (editor && !editor->isHidden())
                    if (QAccessibleInterface* edited = QAccessible::queryAccessibleInterface(editor))
                        base.append({edited, QAccessible::Labelled});
    }
    return base;
}

} // namespace z9
