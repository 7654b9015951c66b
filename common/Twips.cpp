#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace z9 {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kDefaultTwipsPerPixel = 15.0;

double TwipsPerPixel(bool vertical) {
    QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                          ? QGuiApplication::primaryScreen()
                          : nullptr;
    if (!screen) return kDefaultTwipsPerPixel;
    double dpi = vertical ? screen->logicalDotsPerInchY() : screen->logicalDotsPerInchX();
    return dpi > 0 ? kTwipsPerInch / dpi : kDefaultTwipsPerPixel;
}

int Rounded(double value) {
    return static_cast<int>(std::lround(value));
}

} // namespace

double TwipsPerPixelX() {
    return TwipsPerPixel(false);
}
double TwipsPerPixelY() {
    return TwipsPerPixel(true);
}

int TwipsToPixelsX(double twips) {
    return Rounded(twips / TwipsPerPixelX());
}
int TwipsToPixelsY(double twips) {
    return Rounded(twips / TwipsPerPixelY());
}
int PixelsToTwipsX(double pixels) {
    return Rounded(pixels * TwipsPerPixelX());
}
int PixelsToTwipsY(double pixels) {
    return Rounded(pixels * TwipsPerPixelY());
}

int TrueWindowSize(QWidget* window, bool vertical) {
    if (!window) return 0;
    QWidget* top = window->window();
    if (vertical) return PixelsToTwipsY(top->frameGeometry().height() - top->height());
    return PixelsToTwipsX(top->frameGeometry().width() - top->width());
}

} // namespace z9
