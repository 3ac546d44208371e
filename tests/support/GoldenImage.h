#pragma once

// Golden-image comparisons: a picture a test makes (a window, a printed
// page) against a reviewed PNG file kept under tests/golden/.
//
//   EXPECT_TRUE(kv::test::GoldenImage::matches(panel->grab().toImage(),
//                                              "records/panel", {32, 0.002}));
//
// - The golden file is tests/golden/<name>.png in the source tree. A person
//   looked at it and accepted it; a change to it is reviewed the same way.
// - A picture matches when it has the golden's size and at most
//   maxDifferingShare of its pixels differ from the golden's by more than
//   channelTolerance in any of red, green, blue or alpha (0..255). The
//   channel tolerance absorbs anti-aliased edges; the share absorbs a few
//   stray pixels but not a moved, missing or re-worded field.
// - On a mismatch (or a missing golden file) the picture is written to
//   <build>/tests/golden-diff/<name>.actual.png and, when the sizes agree, a
//   diff to <name>.diff.png: the golden faded to grey with every differing
//   pixel in red. The failure message names both files.
// - With KV_UPDATE_GOLDEN=1 in the environment the golden file is written
//   from the picture instead and the comparison passes: run the tests once
//   that way, look at the new files and commit them with the change.
//
// Make the picture deterministic before comparing: a fixed widget size, the
// offscreen platform (the test mains set it) and a fixed font.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

namespace kv::test {

class GoldenImage {
public:
    struct Tolerance {
        int channelTolerance = 0;       // largest difference in one channel that still counts as equal
        double maxDifferingShare = 0.0; // share of differing pixels allowed, 0..1
    };

    struct Comparison {
        bool sameSize = false;
        qsizetype differingPixels = 0;
        qsizetype totalPixels = 0;
        QImage diff; // the golden faded, differing pixels red; null when sizes differ

        double differingShare() const
        {
            return totalPixels > 0 ? double(differingPixels) / double(totalPixels) : 0.0;
        }
    };

    // Compares two pictures pixel by pixel.
    static Comparison compare(const QImage& golden, const QImage& actual, int channelTolerance);

    // The comparison with tests/golden/<name>.png described above.
    static ::testing::AssertionResult matches(const QImage& actual, const QString& name,
                                              const Tolerance& tolerance);
    // The same against a golden folder of the caller's choosing.
    static ::testing::AssertionResult matches(const QImage& actual, const QString& name,
                                              const Tolerance& tolerance,
                                              const QString& goldenFolder,
                                              const QString& failureFolder);

    // tests/golden in the source tree, and the folder for failed pictures.
    static QString goldenFolder();
    static QString failureFolder();
    // True when KV_UPDATE_GOLDEN=1: golden files are written, not compared.
    static bool updating();
};

} // namespace kv::test
