#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace kv::test {

// Replaces what a field holds by typing, then leaves it with Tab so that
// its check on leaving runs.
inline void typeInto(QWidget* field, const QString& text)
{
    field->setFocus();
    QApplication::processEvents();
    QTest::keyClick(field, Qt::Key_End);
    for (int typed = 0; typed < 10; ++typed)
        QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

} // namespace kv::test
