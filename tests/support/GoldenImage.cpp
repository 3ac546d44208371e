#include "support/GoldenImage.h"

#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

namespace kv::test {

namespace {

QImage normalised(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool saveWithFolder(const QImage& image, const QString& path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath()) && image.save(path, "PNG");
}

} // namespace

GoldenImage::Comparison GoldenImage::compare(const QImage& golden, const QImage& actual,
                                             int channelTolerance)
{
    Comparison result;
    const QImage expected = normalised(golden);
    const QImage got = normalised(actual);
    result.totalPixels = qsizetype(got.width()) * got.height();
    result.sameSize = expected.size() == got.size();
    if (!result.sameSize) {
        result.differingPixels = result.totalPixels;
        return result;
    }
    result.diff = QImage(expected.size(), QImage::Format_ARGB32);
    for (int y = 0; y < expected.height(); ++y) {
        const auto* e = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
        const auto* g = reinterpret_cast<const QRgb*>(got.constScanLine(y));
        auto* d = reinterpret_cast<QRgb*>(result.diff.scanLine(y));
        for (int x = 0; x < expected.width(); ++x) {
            const int worst = std::max({std::abs(qRed(e[x]) - qRed(g[x])),
                                        std::abs(qGreen(e[x]) - qGreen(g[x])),
                                        std::abs(qBlue(e[x]) - qBlue(g[x])),
                                        std::abs(qAlpha(e[x]) - qAlpha(g[x]))});
            if (worst > channelTolerance) {
                ++result.differingPixels;
                d[x] = qRgb(255, 0, 0);
            } else {
                const int grey = 192 + qGray(e[x]) / 4;
                d[x] = qRgb(grey, grey, grey);
            }
        }
    }
    return result;
}

::testing::AssertionResult GoldenImage::matches(const QImage& actual, const QString& name,
                                                const Tolerance& tolerance)
{
    return matches(actual, name, tolerance, goldenFolder(), failureFolder());
}

::testing::AssertionResult GoldenImage::matches(const QImage& actual, const QString& name,
                                                const Tolerance& tolerance,
                                                const QString& goldenFolder,
                                                const QString& failureFolder)
{
    if (actual.isNull())
        return ::testing::AssertionFailure() << "no picture for " << name.toStdString();
    const QString goldenPath = goldenFolder + QLatin1Char('/') + name + QStringLiteral(".png");
    if (updating()) {
        if (!saveWithFolder(actual, goldenPath))
            return ::testing::AssertionFailure() << "cannot write " << goldenPath.toStdString();
        return ::testing::AssertionSuccess() << "wrote " << goldenPath.toStdString();
    }

    const QString actualPath = failureFolder + QLatin1Char('/') + name + QStringLiteral(".actual.png");
    const QString diffPath = failureFolder + QLatin1Char('/') + name + QStringLiteral(".diff.png");
    QFile::remove(actualPath);
    QFile::remove(diffPath);

    const QImage golden(goldenPath);
    if (golden.isNull()) {
        saveWithFolder(actual, actualPath);
        return ::testing::AssertionFailure()
            << "no golden picture " << goldenPath.toStdString() << " (actual: "
            << actualPath.toStdString() << "; KV_UPDATE_GOLDEN=1 writes it)";
    }
    const Comparison comparison = compare(golden, actual, tolerance.channelTolerance);
    if (comparison.sameSize && comparison.differingShare() <= tolerance.maxDifferingShare)
        return ::testing::AssertionSuccess();

    saveWithFolder(actual, actualPath);
    auto failure = ::testing::AssertionFailure() << name.toStdString() << " differs from "
                                                 << goldenPath.toStdString() << ": ";
    if (!comparison.sameSize) {
        failure << "size " << actual.width() << "x" << actual.height() << ", golden "
                << golden.width() << "x" << golden.height();
    } else {
        saveWithFolder(comparison.diff, diffPath);
        failure << comparison.differingPixels << " of " << comparison.totalPixels
                << " pixels differ by more than " << tolerance.channelTolerance << " (share "
                << comparison.differingShare() << ", allowed " << tolerance.maxDifferingShare
                << "); diff: " << diffPath.toStdString();
    }
    return failure << "; actual: " << actualPath.toStdString();
}

QString GoldenImage::goldenFolder()
{
    return sourceDir() + QStringLiteral("/tests/golden");
}

QString GoldenImage::failureFolder()
{
    return buildDir() + QStringLiteral("/tests/golden-diff");
}

bool GoldenImage::updating()
{
    return qEnvironmentVariable("KV_UPDATE_GOLDEN") == QLatin1String("1");
}

} // namespace kv::test
