#pragma once

// A PDF page as a person sees it: rendered by poppler's pdftoppm, and compared with the
// window it was printed from.

#include <QColor>
#include <QImage>
#include <QProcess>
#include <QRectF>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace ferolune::test {

// The first page of `pdfPath` rendered at `dpi`; a null image when pdftoppm fails.
inline QImage renderPdfPage(const QString &pdfPath, int dpi)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"), {QStringLiteral("-singlefile"), QStringLiteral("-png"),
                                                 QStringLiteral("-r"), QString::number(dpi), pdfPath, stem});
    if (!pdftoppm.waitForFinished(60000) || pdftoppm.exitCode() != 0)
        return {};
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// Where a window of `windowSize` lands on a page image when it is fitted into `paintRect`
// (in the image's pixels) with its proportions kept and centred.
struct PageMapping {
    double scale = 1;
    QPointF origin;

    PageMapping(const QSizeF &windowSize, const QRectF &paintRect)
    {
        scale = std::min(paintRect.width() / windowSize.width(), paintRect.height() / windowSize.height());
        origin = QPointF(paintRect.left() + (paintRect.width() - windowSize.width() * scale) / 2,
                         paintRect.top() + (paintRect.height() - windowSize.height() * scale) / 2);
    }
    QPoint toPage(const QPointF &windowPoint) const { return (origin + windowPoint * scale).toPoint(); }
    QRect toPage(const QRect &windowRect) const
    {
        return QRectF(origin + QPointF(windowRect.topLeft()) * scale, QSizeF(windowRect.size()) * scale).toRect();
    }
};

inline bool sameColour(const QColor &a, const QColor &b, int tolerance = 8)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// How alike the window image and the page region it was printed into are: the
// correlation of their grey levels, both smoothed to half size so that the two renderers'
// anti-aliasing does not count, outside `skip` (window coordinates). 1 is the same
// picture; a blank or shifted page comes out near 0.
inline double pageSimilarity(const QImage &window, const QImage &page, const PageMapping &mapping,
                             const QRect &skip = {})
{
    const QSize half = window.size() / 2;
    const QImage printed = page.copy(mapping.toPage(window.rect())).scaled(half, Qt::IgnoreAspectRatio,
                                                                         Qt::SmoothTransformation);
    const QImage shown = window.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
    long n = 0;
    for (int y = 0; y < half.height(); ++y) {
        for (int x = 0; x < half.width(); ++x) {
            if (skip.contains(2 * x, 2 * y))
                continue;
            const double a = qGray(shown.pixel(x, y)), b = qGray(printed.pixel(x, y));
            sa += a, sb += b, saa += a * a, sbb += b * b, sab += a * b;
            ++n;
        }
    }
    const double cov = sab - sa * sb / n, va = saa - sa * sa / n, vb = sbb - sb * sb / n;
    return va > 0 && vb > 0 ? cov / std::sqrt(va * vb) : 0;
}

} // namespace ferolune::test
