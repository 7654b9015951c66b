#pragma once
// P8DT: a one-line entry for a date or a time of day in the user's short date
// or time format, changed with the spin bar or the + and - keys, never typed.
#include "submitter/fields/P8DTLogic.h"

#include <QFont>
#include <QMetaType>
#include <QWidget>

class QLabel;
class QLineEdit;
class QScrollBar;

namespace z9 {

class P8DT : public QWidget {
    Q_OBJECT
public:
    explicit P8DT(QWidget* parent = nullptr);

    // The locale value P8LSet, or empty text.
    std::string P8GetLocale(int P8LSet) const;
    void P8Locked(bool P8Lk);

    // true: date mode. Setting it builds the display format from the locale; a
    // locale value that is missing or unusable stops the change where it is.
    bool P8Date() const { return !format_.TimeMode; }
    void SetP8Date(bool b);

    // The value of the text; the zero date when the text is not a valid date (time).
    DateTime Value() const;
    // Shows v in the display format and raises DateChanged.
    void SetValue(const DateTime& v);

    // Steps the part under the cursor by P8Val (+1 or -1).
    void P8IncCh(int P8Val);
    static bool LeapYear(int P8Year) { return z9::LeapYear(P8Year); }

    // What a screen reader calls the control, its text and its spin bar.
    void SetAccessibleCaption(const QString& caption);
    // The label that captions the box on its window, for assistive technology.
    void SetCaptionLabel(QLabel* label);

    QFont Font() const;
    void SetFont(const QFont& font);

    // Where the locale values come from (the user's locale by default).
    void SetLocaleLookup(LocaleLookup lookup);
    // 0, or the error (50, 51, 52) that stopped the last mode change.
    int LastError() const { return lastError_; }
    const DTFormat& Format() const { return format_; }

    QLineEdit* TxT1() const { return txt1_; }
    QScrollBar* P8Inc() const { return p8Inc_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int kSpinRest = 16000;

signals:
    void DateChanged(const z9::DateTime& value);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SpinChanged(int value);
    void LayOut();

    QLineEdit* txt1_;
    QScrollBar* p8Inc_;
    DTFormat format_;
    LocaleLookup lookup_;
    int lastSpin_ = kSpinRest;
    int lastError_ = 0;
};

} // namespace z9

Q_DECLARE_METATYPE(z9::DateTime)
