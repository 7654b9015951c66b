#include "FormBuilder.h"

#include "Twips.h"

#include <QLabel>
#include <QPushButton>

namespace z9 {

void Place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                         TwipsToPixelsY(height));
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText); // the system's texts, never markup
    label->setAccessibleName(caption);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove(QLatin1Char('&')));
    return button;
}

} // namespace z9
