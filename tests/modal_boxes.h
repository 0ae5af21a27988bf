#pragma once

// The real message and input boxes, answered from a timer while they block, and what a window
// needs of a box that belongs to it.

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <functional>

// Runs `answer` on the next modal box once it is open.
inline void whenModalOpens(std::function<void(QWidget *)> answer)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start();
}

// What a box showed of its place while it was open; read before the box is answered, so that a
// failed check never leaves it blocking the test.
struct BoxPlace
{
    QPointer<QWidget> parent;
    QPointer<QWindow> transientParent;
    bool modal = false;
    QRect frame;
    QRect screen;

    static BoxPlace of(QWidget *box)
    {
        return {box->parentWidget(), box->windowHandle()->transientParent(),
            box->windowModality() != Qt::NonModal, box->frameGeometry(),
            box->screen()->availableGeometry()};
    }

    // Centred over `window`, or as near to that as the screen lets it be when the window is
    // larger than the screen (QT_SCALE_FACTOR=2 offscreen).
    bool isCentredOver(const QWidget *window) const
    {
        QRect expected(QPoint(), frame.size());
        expected.moveCenter(window->frameGeometry().center());
        // Kept inside the screen; a box wider than the screen keeps its left edge on it.
        expected.moveLeft(std::max(
            screen.left(), std::min(expected.left(), screen.x() + screen.width() - frame.width())));
        expected.moveTop(std::max(
            screen.top(), std::min(expected.top(), screen.y() + screen.height() - frame.height())));
        // A pixel for each of Qt's halvings of odd sizes.
        return (frame.topLeft() - expected.topLeft()).manhattanLength() <= 2;
    }
};

// A box belongs to the window whose handler opened it: a child of its top-level widget, modal,
// transient for it (so no window manager puts it behind) and centred over it.
inline void verifyBelongsTo(const BoxPlace &place, const QWidget *window)
{
    QCOMPARE(place.parent.data(), window);
    QVERIFY(place.transientParent);
    QCOMPARE(place.transientParent.data(), window->windowHandle());
    QVERIFY(place.modal);
    QVERIFY2(place.isCentredOver(window),
        qPrintable(QStringLiteral("box at %1,%2 %3x%4, window at %5,%6 %7x%8")
                .arg(place.frame.x())
                .arg(place.frame.y())
                .arg(place.frame.width())
                .arg(place.frame.height())
                .arg(window->frameGeometry().x())
                .arg(window->frameGeometry().y())
                .arg(window->frameGeometry().width())
                .arg(window->frameGeometry().height())));
}
