// Draws the program's six pictures (128 x 128 RGBA PNG) into the directory given as argument;
// run once by hand after changing a drawing: tovrik-drawicons resources/images
// The build also runs it to draw the program's icon in the icon theme sizes for installation.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <functional>

namespace {

constexpr int kSize = 128;

// Rounded tile with a vertical gradient, the common ground of every picture.
void tile(QPainter& p, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(0, 4, 0, 124);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(bottom.darker(140), 2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(5, 5, 118, 118), 24, 24);
    // Soft highlight on the upper half.
    QLinearGradient shine(0, 6, 0, 64);
    shine.setColorAt(0, QColor(255, 255, 255, 90));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(QRectF(8, 8, 112, 56), 20, 20);
}

void drawLogo(QPainter& p)
{
    tile(p, QColor(0x2b, 0x7c, 0xd3), QColor(0x12, 0x2f, 0x5e));
    const QPointF c(64, 66);
    const double arm = 36;
    // Four arms in an X, a rotor disc at each end.
    p.setPen(QPen(QColor(0xe8, 0xee, 0xf6), 7, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 4; ++i) {
        const double a = M_PI / 4 + i * M_PI / 2;
        p.drawLine(c, c + QPointF(std::cos(a) * arm, std::sin(a) * arm));
    }
    for (int i = 0; i < 4; ++i) {
        const double a = M_PI / 4 + i * M_PI / 2;
        const QPointF r = c + QPointF(std::cos(a) * arm, std::sin(a) * arm);
        QRadialGradient g(r, 17);
        g.setColorAt(0, QColor(255, 255, 255, 230));
        g.setColorAt(0.7, QColor(160, 210, 255, 120));
        g.setColorAt(1, QColor(160, 210, 255, 40));
        p.setPen(QPen(QColor(0xe8, 0xee, 0xf6), 2));
        p.setBrush(g);
        p.drawEllipse(r, 16, 16);
        p.setBrush(QColor(0x12, 0x2f, 0x5e));
        p.drawEllipse(r, 3.5, 3.5);
    }
    // Body with a status light.
    p.setPen(QPen(QColor(0x12, 0x2f, 0x5e), 2));
    p.setBrush(QColor(0xff, 0xb3, 0x1a));
    p.drawRoundedRect(QRectF(c.x() - 13, c.y() - 13, 26, 26), 7, 7);
    p.setBrush(QColor(0x3d, 0xe0, 0x7a));
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, 4.5, 4.5);
}

void drawConsole(QPainter& p)
{
    tile(p, QColor(0x4a, 0x4f, 0x58), QColor(0x1c, 0x1e, 0x22));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0d, 0x0f, 0x12));
    p.drawRoundedRect(QRectF(18, 26, 92, 78), 8, 8);
    p.setPen(QPen(QColor(0x5d, 0xe0, 0x6e), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({QPointF(32, 46), QPointF(50, 62), QPointF(32, 78)}));
    p.drawLine(QPointF(58, 82), QPointF(88, 82));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x5f, 0x57));
    p.drawEllipse(QPointF(26, 17), 4, 4);
    p.setBrush(QColor(0xfe, 0xbc, 0x2e));
    p.drawEllipse(QPointF(38, 17), 4, 4);
}

void drawUsb(QPainter& p)
{
    tile(p, QColor(0x5a, 0x5f, 0x6e), QColor(0x27, 0x2a, 0x33));
    const QColor ink(0xf2, 0xf4, 0xf8);
    p.setPen(QPen(ink, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(64, 26), QPointF(64, 100));
    p.drawPolyline(QPolygonF({QPointF(64, 82), QPointF(40, 64), QPointF(40, 52)}));
    p.drawPolyline(QPolygonF({QPointF(64, 72), QPointF(88, 56), QPointF(88, 46)}));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPolygon(QPolygonF({QPointF(64, 14), QPointF(54, 30), QPointF(74, 30)}));
    p.drawEllipse(QPointF(64, 102), 9, 9);
    p.drawEllipse(QPointF(40, 48), 7, 7);
    p.drawRect(QRectF(81, 36, 14, 14));
}

void drawSearch(QPainter& p)
{
    tile(p, QColor(0x3f, 0xb6, 0x8f), QColor(0x17, 0x5c, 0x48));
    p.setPen(QPen(QColor(0xf5, 0xf7, 0xf2), 10, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(76, 76), QPointF(102, 102));
    p.setPen(QPen(QColor(0xf5, 0xf7, 0xf2), 8));
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawEllipse(QPointF(56, 56), 28, 28);
}

void drawText(QPainter& p)
{
    tile(p, QColor(0xd9, 0x8b, 0x2b), QColor(0x8a, 0x4a, 0x10));
    QPainterPath page;
    page.moveTo(32, 18);
    page.lineTo(80, 18);
    page.lineTo(98, 36);
    page.lineTo(98, 110);
    page.lineTo(32, 110);
    page.closeSubpath();
    p.setPen(QPen(QColor(0x6b, 0x3a, 0x0c), 2));
    p.setBrush(QColor(0xfd, 0xfb, 0xf6));
    p.drawPath(page);
    p.setPen(QPen(QColor(0x9a, 0xa3, 0xb0), 5, Qt::SolidLine, Qt::RoundCap));
    for (int y = 48; y <= 96; y += 12)
        p.drawLine(QPointF(42, y), QPointF(y == 96 ? 70 : 88, y));
}

void drawRam(QPainter& p)
{
    tile(p, QColor(0x8e, 0x5c, 0xd6), QColor(0x45, 0x22, 0x7a));
    p.setPen(QPen(QColor(0xe6, 0xd9, 0xa2), 4, Qt::SolidLine, Qt::FlatCap));
    for (int x = 34; x <= 94; x += 12) {
        p.drawLine(QPointF(x, 20), QPointF(x, 34));
        p.drawLine(QPointF(x, 94), QPointF(x, 108));
    }
    p.setPen(QPen(QColor(0x12, 0x12, 0x16), 2));
    p.setBrush(QColor(0x2a, 0x2b, 0x31));
    p.drawRoundedRect(QRectF(26, 34, 76, 60), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QPointF(36, 44), 4, 4);
}

// One picture drawn at size x size pixels; the drawings are laid out on a 128 x 128 grid and
// scaled, so every size is drawn from the shapes rather than resampled from pixels.
QImage render(const std::function<void(QPainter&)>& draw, int size)
{
    QImage image(size, size, QImage::Format_RGBA8888);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(double(size) / kSize, double(size) / kSize);
    draw(painter);
    painter.end();
    return image;
}

// The program's icon in the icon theme sizes, as DIR/<n>x<n>/apps/NAME.png.
int writeThemeIcons(const QDir& out, const QString& name)
{
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QString sub = QStringLiteral("%1x%1/apps").arg(size);
        if (!out.mkpath(sub) ||
            !render(drawLogo, size).save(out.filePath(sub + '/' + name + ".png")))
            return 1;
    }
    return 0;
}

} // namespace

// tovrik-drawicons [DIR]: the six pictures, 128 x 128, into DIR.
// tovrik-drawicons --theme-icons DIR NAME: the program's icon for the icon theme.
// The icon has no text, so it is drawn without a GUI application and runs in any build
// environment; the pictures with letters need one for their fonts.
int main(int argc, char* argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--theme-icons") == 0)
        return writeThemeIcons(QDir(QString::fromLocal8Bit(argv[2])),
                               QString::fromLocal8Bit(argv[3]));

    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const std::pair<const char*, std::function<void(QPainter&)>> pictures[] = {
        {"logo.png", drawLogo},     {"console.png", drawConsole}, {"usb.png", drawUsb},
        {"search.png", drawSearch}, {"text.png", drawText},       {"ram.png", drawRam},
    };
    for (const auto& [name, draw] : pictures) {
        if (!render(draw, kSize).save(out.filePath(QString::fromLatin1(name))))
            return 1;
    }
    return 0;
}
