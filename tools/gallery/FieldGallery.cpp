// FieldGallery: one form with a field editor of every type, the date/time
// control in both modes and step rows in each state, laid out the way the
// submitter's main window lays out its panel.
//
//   FieldGallery [--locale NAME] [--screenshot PATH]
//
// With --screenshot the form is drawn once, saved as PNG and the program ends.
#include "common/FormBuilder.h"
#include "common/P8LocaleSettings.h"
#include "common/Twips.h"
#include "submitter/fields/MVexTask.h"
#include "submitter/fields/P8DT.h"
#include "submitter/fields/VexField.h"
#include "submitter/fields/VexFieldSplitter.h"
#include "tools/gallery/GalleryShot.h"
#include "widgets/VexLine.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <string>
#include <vector>

namespace z9 {
namespace {

// Geometry in twips.
constexpr int kFormWidth = 7800;
constexpr int kMargin = 180;
constexpr int kHeaderLeft = 100;
constexpr int kFieldLeft = 250;

struct Step {
    std::string name;
    int check;
    std::vector<EnvironRecord> fields;
};

EnvironRecord Field(const char* type, const char* caption, const char* value, const char* min,
                    const char* max, const char* format, const char* help) {
    EnvironRecord r;
    r.Type = type;
    r.Caption = caption;
    r.Variable = caption;
    r.Value = value;
    r.Min = min;
    r.Max = max;
    r.Format = format;
    r.Help = help;
    return r;
}

std::vector<Step> Steps() {
    return {
        {"Extract orders",
         0,
         {Field("0", "Customer name", "Northwind Traders", "1", "40", "", "The customer's name as invoiced."),
          Field("1", "Copies", "2", "1", "99", "", "How many copies to print (1 to 99)."),
          Field("2", "Order file", "C:\\Data\\orders.csv", "", "", "", "The file the orders are read from."),
          Field("3", "Delivery date", "17.05.2024", "", "", "DD.MM.YYYY", "The day the goods leave.")}},
        {"Print labels", 1, {}},
        {"Archive",
         2,
         {Field("4", "Cut-off time", "14:30", "", "", "HH:MM", "Orders after this time wait a day."),
          Field("5", "Send confirmation mail", "Y", "N", "Y", "", "Mail the customer when done."),
          Field("6", "Printer", "Warehouse", "1", "Front office\r\nWarehouse\r\nAccounts", "",
                "Where the labels are printed."),
          Field("7", "Archive folder", "\\\\FILES\\Archive\\2024", "", "", "",
                "Where the orders are kept.")}},
    };
}

int Px(int twips) {
    return TwipsToPixelsX(twips);
}
int PxY(int twips) {
    return TwipsToPixelsY(twips);
}

// A step row at the running position y (twips); y moves below it.
VexFieldSplitter* AddHeader(QWidget* canvas, int& y, int index, const std::string& caption, int check) {
    auto* row = new VexFieldSplitter(canvas);
    row->setObjectName(QStringLiteral("TFS1_%1").arg(index));
    row->RowNumber = static_cast<short>(index);
    row->SetCaption(caption);
    row->SetCheck(check);
    int top = y + 100;
    row->setGeometry(Px(kHeaderLeft), PxY(top), Px(kFormWidth - kHeaderLeft - 200), row->height());
    y = top + PixelsToTwipsY(row->height()) + 200;
    return row;
}

QWidget* BuildForm() {
    auto* form = new QWidget;
    form->setObjectName(QStringLiteral("FieldGallery"));
    form->setWindowTitle(QStringLiteral("Field Gallery"));

    auto* canvas = new QWidget(form);
    canvas->setObjectName(QStringLiteral("P1"));
    int y = 0;

    // The task's own row and the scheduling panel under it.
    AddHeader(canvas, y, 0, "Task Options", 2);
    auto* schPic = new QWidget(canvas);
    schPic->setObjectName(QStringLiteral("SchPic"));
    QLabel* label16 = MakeLabel(schPic, QStringLiteral("Label16"), QStringLiteral("Scheduled Time:"));
    auto* date = new P8DT(schPic);
    date->setObjectName(QStringLiteral("P8DT2"));
    auto* time = new P8DT(schPic);
    time->setObjectName(QStringLiteral("P8DT1"));
    time->SetP8Date(false);
    QPushButton* now = MakeButton(schPic, QStringLiteral("Command3"), QStringLiteral("<< Now >>"));
    QObject::connect(now, &QPushButton::clicked, [date, time] {
        DateTime current = LocalDateTime(Clock::Now());
        date->SetValue(current);
        time->SetValue(current);
    });
    DateTime shown{2024, 5, 17, 14, 30, 0};
    date->SetValue(shown);
    time->SetValue(shown);

    // Caption column as wide as the fields' (33 %), editors after it.
    const int panelWidth = kFormWidth - kFieldLeft - 400;
    const int captionWidth = panelWidth * 33 / 100 - 100;
    const int rowHeight = PixelsToTwipsY(date->sizeHint().height());
    label16->setGeometry(0, PxY(75), Px(captionWidth), label16->sizeHint().height());
    date->setGeometry(Px(captionWidth + 100), 0, Px(1500), PxY(rowHeight));
    time->setGeometry(date->geometry().right() + 1 + Px(120), 0, Px(1200), PxY(rowHeight));
    int nowWidth = std::max(PixelsToTwipsX(now->sizeHint().width()), 1100);
    now->setGeometry(time->geometry().right() + 1 + Px(120), 0, Px(nowWidth), PxY(rowHeight));
    schPic->setGeometry(Px(kFieldLeft), PxY(y + 100), Px(panelWidth), PxY(rowHeight + 50));
    y = y + 100 + rowHeight + 50 + 150;

    // One row per step, its fields under it; a skipped step shows no fields.
    int position = 0;
    int index = 1;
    for (const Step& step : Steps()) {
        AddHeader(canvas, y, index++, step.name, step.check);
        for (const EnvironRecord& record : step.fields) {
            auto* field = new VexField(canvas);
            field->setObjectName(QStringLiteral("TF1_%1").arg(position + 1));
            field->setGeometry(Px(kFieldLeft), PxY(y), Px(panelWidth), field->height());
            field->SetFieldDef(MakeFieldDef(static_cast<std::size_t>(position++), record));
            field->Update();
            field->setVisible(step.check != 1);
            if (step.check != 1) y += field->Resize() + 150;
        }
    }
    canvas->setGeometry(Px(kMargin), PxY(kMargin), Px(kFormWidth), PxY(y - 150));

    // The separator and the button line up with the step rows.
    const int rowsLeft = kMargin + kHeaderLeft;
    const int rowsWidth = kFormWidth - kHeaderLeft - 200;
    auto* line = new VexLine(form);
    line->setObjectName(QStringLiteral("VexLine1"));
    line->setGeometry(Px(rowsLeft), canvas->geometry().bottom() + 1 + PxY(150), Px(rowsWidth),
                      line->height());

    QPushButton* exit = MakeButton(form, QStringLiteral("TBExit"), QStringLiteral("Close"));
    QObject::connect(exit, &QPushButton::clicked, form, &QWidget::close);
    const int buttonWidth = 1200;
    exit->setGeometry(Px(rowsLeft + rowsWidth - buttonWidth), line->geometry().bottom() + 1 + PxY(120),
                      Px(buttonWidth), exit->sizeHint().height());

    SetFormFonts(form);
    form->setFixedSize(Px(kFormWidth + kMargin), exit->geometry().bottom() + 1 + PxY(kMargin));
    return form;
}

} // namespace
} // namespace z9

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QString screenshot;
    if (!z9::PrepareGallery("FieldGallery", screenshot)) return 2;

    QWidget* form = z9::BuildForm();
    form->show();
    if (screenshot.isEmpty()) {
        int result = QApplication::exec();
        delete form;
        return result;
    }
    int result = z9::SaveGalleryShot(form, screenshot, "FieldGallery");
    delete form;
    return result;
}
