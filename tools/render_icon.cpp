// Renders the application's SVG icon at the sizes the X11 platform gives a
// window's icon, as Qt's SVG icon engine would, for the window icon: with
// these at hand, no start renders the SVG four times over. Each size is
// written as bare pixels (ARGB32, premultiplied, in the machine's byte order),
// which the program takes without an image reader.
//   zenkarta_render_icon <svg file> <output folder> <size>...
// Writes <output folder>/<svg name>-<size>.argb for each size.
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char *argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: zenkarta_render_icon <svg file> <output folder> <size>...\n");
        return 2;
    }
    const QString svg = QString::fromLocal8Bit(argv[1]);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "zenkarta_render_icon: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "zenkarta_render_icon: %s is no size\n", argv[i]);
            return 2;
        }
        const QString out = QString::fromLocal8Bit(argv[2]) + u'/' +
                            QFileInfo(svg).completeBaseName() + u'-' + QString::number(size) +
                            QStringLiteral(".argb");
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        QFile file(out);
        const qsizetype bytes = image.sizeInBytes();
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(reinterpret_cast<const char *>(image.constBits()), bytes) != bytes ||
            !file.flush()) {
            std::fprintf(stderr, "zenkarta_render_icon: cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
