#pragma once

#include "records/FieldCheckResult.h"

#include <QString>

namespace kv::records {

// A numeric panel field: its range, how an accepted value is written back,
// the reset text and the message of a refusal.
struct NumberRule {
    enum class Style {
        Grouped,    // comma-grouped, read with commas (amounts, weights, lengths)
        Plain,      // bare digits
        ZeroPadded, // fixed width with leading zeros
    };

    int minimum = 0;
    int maximum = 0;
    Style style = Style::Plain;
    int width = 0;            // ZeroPadded only
    bool emptyWhenZero = false;
    const char* resetText = "";
    const char* message = "";

    QString format(int value) const;
    // False when the text is no number of this style or outside the range.
    // Empty text reads as 0.
    bool read(const QString& text, int* value) const;
    FieldCheckResult check(const QString& text) const;

    // The rules of the panel's fields.
    static const NumberRule& amount();         // 自賠責料, 重量税, 印紙代, 代行料
    static const NumberRule& weight();         // weights and axle weights
    static const NumberRule& length();         // 長さ, 幅, 高さ
    static const NumberRule& typeDesignation(); // 型式指定
    static const NumberRule& classification(); // 類別
    static const NumberRule& plateNumber();    // plate number part
    static const NumberRule& classNumber();    // plate class number
    static const NumberRule& capacity();       // 乗車定員
    static const NumberRule& validYears();     // 有効期間
    static const NumberRule& closingDay();     // 締日
    static const NumberRule& referrerCode();   // 紹介元顧客
    static const NumberRule& recordCode();     // customer and vehicle codes as shown
    static const NumberRule& vehicleCount();   // 保有台数
};

} // namespace kv::records
