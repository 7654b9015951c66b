#include "FontChooser.h"

#include "CodePageQt.h"
#include "FontOptions.h"
#include "MessageBox.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace z9 {
namespace {

enum Style { Regular, Italic, Bold, BoldItalic };
const char* const kStyleNames[] = {"Regular", "Italic", "Bold", "Bold Italic"};

// The sample is drawn no larger than this; bigger sizes would only show a corner of it.
constexpr double kSampleMaxPoints = 48;

// The colour list's role for an entry's colour; "Other..." has none.
constexpr int kColorRole = Qt::UserRole;

QFontDatabase::WritingSystem WritingSystemOf(int charset) {
    switch (charset) {
    case 0:
    case 162:
    case 186:
    case 238:
        return QFontDatabase::Latin;
    case 204:
        return QFontDatabase::Cyrillic;
    case 161:
        return QFontDatabase::Greek;
    case 177:
        return QFontDatabase::Hebrew;
    case 178:
        return QFontDatabase::Arabic;
    case 163:
        return QFontDatabase::Vietnamese;
    case 222:
        return QFontDatabase::Thai;
    case 128:
        return QFontDatabase::Japanese;
    case 129:
    case 130:
        return QFontDatabase::Korean;
    case 134:
        return QFontDatabase::SimplifiedChinese;
    case 136:
        return QFontDatabase::TraditionalChinese;
    case 2:
        return QFontDatabase::Symbol;
    default:
        return QFontDatabase::Any;
    }
}

QColor ShownColor(int color, const QPalette& palette) {
    // A system colour (the high bit set) is the text colour of the window.
    if (IsSystemColor(color)) return palette.color(QPalette::WindowText);
    return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color));
}

QIcon Swatch(const QColor& color) {
    QPixmap picture(24, 12);
    picture.fill(color);
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, picture.width() - 1, picture.height() - 1);
    return QIcon(picture);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    QString plain = caption;
    buddy->setAccessibleName(plain.remove(u'&').remove(u':'));
    return label;
}

// The family the font list holds under this name, ignoring case; empty when none.
QString KnownFamily(const QString& name) {
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        if (family.compare(name, Qt::CaseInsensitive) == 0) return family;
    return {};
}

} // namespace

FontChooser::FontChooser(const FontChoice& start, QWidget* owner) : QDialog(owner), start_(start) {
    setObjectName(QStringLiteral("FontChooser"));
    setWindowTitle(QStringLiteral("Font"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    FontName = new QComboBox(this);
    FontName->setObjectName(QStringLiteral("FontName"));
    FontName->setEditable(true);
    FontName->setInsertPolicy(QComboBox::NoInsert);
    FontName->addItems(QFontDatabase::families());
    FontName->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    FontName->completer()->setCompletionMode(QCompleter::InlineCompletion);
    FontName->setCurrentIndex(FontName->findText(FromAnsi(start.name), Qt::MatchFixedString));
    FontName->setEditText(FromAnsi(start.name)); // a face this system lacks is kept as it is
    Label1 = MakeLabel(this, "Label1", QStringLiteral("&Font:"), FontName);

    FontStyle = new QListWidget(this);
    FontStyle->setObjectName(QStringLiteral("FontStyle"));
    for (const char* name : kStyleNames)
        FontStyle->addItem(QString::fromLatin1(name));
    FontStyle->setCurrentRow(start.bold ? (start.italic ? BoldItalic : Bold)
                                        : (start.italic ? Italic : Regular));
    FontStyle->setFixedHeight(FontStyle->sizeHintForRow(0) * 4 + 2 * FontStyle->frameWidth() + 4);
    Label2 = MakeLabel(this, "Label2", QStringLiteral("Font st&yle:"), FontStyle);

    FontSize = new QComboBox(this);
    FontSize->setObjectName(QStringLiteral("FontSize"));
    FontSize->setEditable(true);
    FontSize->setInsertPolicy(QComboBox::NoInsert);
    for (int size : QFontDatabase::standardSizes())
        FontSize->addItem(QString::number(size));
    FontSize->setEditText(FromAnsi(FontSizeText(start.size)));
    Label3 = MakeLabel(this, "Label3", QStringLiteral("&Size:"), FontSize);

    auto* effects = new QGroupBox(QStringLiteral("Effects"), this);
    effects->setObjectName(QStringLiteral("Effects"));
    Strikeout = new QCheckBox(QStringLiteral("Stri&keout"), effects);
    Strikeout->setObjectName(QStringLiteral("Strikeout"));
    Strikeout->setChecked(start.strikeout);
    Underline = new QCheckBox(QStringLiteral("&Underline"), effects);
    Underline->setObjectName(QStringLiteral("Underline"));
    Underline->setChecked(start.underline);
    FontColor = new QComboBox(effects);
    FontColor->setObjectName(QStringLiteral("FontColor"));
    for (const NamedColor& named : FontColors()) {
        FontColor->addItem(Swatch(ShownColor(named.color, palette())), QString::fromLatin1(named.name),
                           named.color);
    }
    FontColor->addItem(QStringLiteral("Other..."));
    Label4 = MakeLabel(effects, "Label4", QStringLiteral("&Color:"), FontColor);
    if (const std::optional<std::size_t> index = FontColorIndex(start.color))
        FontColor->setCurrentIndex(static_cast<int>(*index));
    else
        ShowCustomColor(start.color);
    lastColorIndex_ = FontColor->currentIndex();
    auto* effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(Strikeout);
    effectsLayout->addWidget(Underline);
    effectsLayout->addWidget(Label4);
    effectsLayout->addWidget(FontColor);
    effectsLayout->addStretch();

    auto* sampleBox = new QGroupBox(QStringLiteral("Sample"), this);
    sampleBox->setObjectName(QStringLiteral("SampleBox"));
    Sample = new QLabel(sampleBox);
    Sample->setObjectName(QStringLiteral("Sample"));
    Sample->setAlignment(Qt::AlignCenter);
    Sample->setMinimumSize(220, 70);
    Sample->setAutoFillBackground(true);
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sampleLayout->addWidget(Sample);

    FontScript = new QComboBox(this);
    FontScript->setObjectName(QStringLiteral("FontScript"));
    Label5 = MakeLabel(this, "Label5", QStringLiteral("Sc&ript:"), FontScript);
    FillScripts();
    FontScript->setCurrentIndex(FontScript->findData(start.charset));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkButton = buttons->button(QDialogButtonBox::Ok);
    OkButton->setObjectName(QStringLiteral("OkButton"));
    OkButton->setDefault(true);
    CancelButton = buttons->button(QDialogButtonBox::Cancel);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FontChooser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FontChooser::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(FontName, 1, 0);
    grid->addWidget(Label2, 0, 1);
    grid->addWidget(FontStyle, 1, 1, 2, 1, Qt::AlignTop);
    grid->addWidget(Label3, 0, 2);
    grid->addWidget(FontSize, 1, 2);
    grid->addWidget(effects, 3, 0);
    auto* right = new QVBoxLayout;
    right->addWidget(sampleBox);
    right->addWidget(Label5);
    right->addWidget(FontScript);
    right->addStretch();
    grid->addLayout(right, 3, 1, 1, 2);
    grid->addWidget(buttons, 4, 0, 1, 3);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);

    setTabOrder(FontName, FontStyle);
    setTabOrder(FontStyle, FontSize);
    setTabOrder(FontSize, Strikeout);
    setTabOrder(Strikeout, Underline);
    setTabOrder(Underline, FontColor);
    setTabOrder(FontColor, FontScript);
    setTabOrder(FontScript, OkButton);
    setTabOrder(OkButton, CancelButton);

    connect(FontName, &QComboBox::editTextChanged, this, [this] {
        FillScripts();
        Refresh();
    });
    connect(FontStyle, &QListWidget::currentRowChanged, this, &FontChooser::Refresh);
    connect(FontSize, &QComboBox::editTextChanged, this, &FontChooser::Refresh);
    connect(Strikeout, &QCheckBox::toggled, this, &FontChooser::Refresh);
    connect(Underline, &QCheckBox::toggled, this, &FontChooser::Refresh);
    connect(FontColor, &QComboBox::activated, this, &FontChooser::ColorChosen);
    connect(FontColor, &QComboBox::currentIndexChanged, this, [this](int index) {
        // The keyboard moves through the list without "activating" an entry.
        if (FontColor->itemData(index, kColorRole).isValid()) lastColorIndex_ = index;
        Refresh();
    });
    connect(FontScript, &QComboBox::currentIndexChanged, this, &FontChooser::Refresh);
    Refresh();
    FontName->setFocus();
}

void FontChooser::FillScripts() {
    const int current = FontScript->count() ? FontScript->currentData().toInt() : start_.charset;
    const QList<QFontDatabase::WritingSystem> offered =
        QFontDatabase::writingSystems(KnownFamily(FontName->currentText()));
    const QSignalBlocker block(FontScript);
    FontScript->clear();
    for (const z9::FontScript& script : FontScripts()) {
        // The script the font has now always stays, so nothing changes unasked.
        const QFontDatabase::WritingSystem system = WritingSystemOf(script.charset);
        if (script.charset != current && (system == QFontDatabase::Any || !offered.contains(system)))
            continue;
        FontScript->addItem(QString::fromLatin1(script.name), script.charset);
    }
    if (FontScript->findData(current) < 0) FontScript->addItem(FromAnsi(FontScriptName(current)), current);
    FontScript->setCurrentIndex(FontScript->findData(current));
}

void FontChooser::ShowCustomColor(int color) {
    const int other = FontColor->count() - 1;
    const int custom = static_cast<int>(FontColors().size());
    const QIcon swatch = Swatch(ShownColor(color, palette()));
    if (other == custom) {
        FontColor->insertItem(custom, swatch, QStringLiteral("Custom"), color);
    } else {
        FontColor->setItemIcon(custom, swatch);
        FontColor->setItemData(custom, color, kColorRole);
    }
    FontColor->setCurrentIndex(custom);
}

void FontChooser::ColorChosen(int index) {
    if (FontColor->itemData(index, kColorRole).isValid()) return;
    // "Other...": any colour, through the colour dialog.
    const int before = FontColor->itemData(lastColorIndex_, kColorRole).toInt();
    const QColor chosen =
        QColorDialog::getColor(ShownColor(before, palette()), this, QStringLiteral("Color"));
    if (chosen.isValid())
        ShowCustomColor(RgbColor(chosen.red(), chosen.green(), chosen.blue()));
    else
        FontColor->setCurrentIndex(lastColorIndex_);
}

int FontChooser::SelectedColor() const {
    const QVariant data = FontColor->currentData(kColorRole);
    return data.isValid() ? data.toInt() : FontColor->itemData(lastColorIndex_, kColorRole).toInt();
}

FontChoice FontChooser::Choice() const {
    FontChoice choice = start_;
    const QString typed = FontName->currentText().trimmed();
    if (!typed.isEmpty()) {
        const QString family = KnownFamily(typed);
        choice.name = ToAnsi(family.isEmpty() ? typed : family);
    }
    // An untouched size stays exact, though the box shows it to a tenth.
    const std::string sizeText = ToAnsi(FontSize->currentText());
    const std::optional<double> size = ParseFontSize(sizeText);
    if (size && sizeText != FontSizeText(start_.size)) choice.size = *size;
    const int style = FontStyle->currentRow();
    choice.bold = style == Bold || style == BoldItalic;
    choice.italic = style == Italic || style == BoldItalic;
    choice.strikeout = Strikeout->isChecked();
    choice.underline = Underline->isChecked();
    choice.color = SelectedColor();
    if (FontScript->currentIndex() >= 0) choice.charset = FontScript->currentData().toInt();
    return choice;
}

void FontChooser::Refresh() {
    const FontChoice choice = Choice();
    QFont font = FontOfChoice(choice);
    font.setPointSizeF(std::min(choice.size, kSampleMaxPoints));
    Sample->setFont(font);
    QPalette colors = Sample->palette();
    colors.setColor(QPalette::WindowText, ShownColor(choice.color, palette()));
    colors.setColor(QPalette::Window, palette().color(QPalette::Base));
    Sample->setPalette(colors);
    const QFontDatabase::WritingSystem system = WritingSystemOf(choice.charset);
    Sample->setText(system == QFontDatabase::Any || system == QFontDatabase::Latin
                        ? QStringLiteral("AaBbYyZz")
                        : QFontDatabase::writingSystemSample(system));
}

void FontChooser::accept() {
    const QString typed = FontName->currentText().trimmed();
    // A face this system lacks passes only when it is the one the font already had.
    if (typed.isEmpty() || (KnownFamily(typed).isEmpty() && ToAnsi(typed) != start_.name)) {
        MessageBox("There is no font with that name.\n\nChoose a font from the list of fonts.", vbExclamation,
                   "Font");
        FontName->setFocus();
        FontName->lineEdit()->selectAll();
        return;
    }
    if (!ParseFontSize(ToAnsi(FontSize->currentText()))) {
        MessageBox("Size must be a number between 1 and 1638.", vbExclamation, "Font");
        FontSize->setFocus();
        FontSize->lineEdit()->selectAll();
        return;
    }
    QDialog::accept();
}

} // namespace z9
