// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Answers the modal dialogs and message boxes a command opens: each new top
// modal window is handed once to `answer`, which looks at it and closes it
// (or queues a click that opens the next one). It polls, so it also reaches
// dialogs that run their own event loop.
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

class ModalAnswerer : public QObject {
public:
    explicit ModalAnswerer(std::function<void(QWidget*)> answer) : m_answer(std::move(answer)) {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start();
    }
    int answered = 0;

private:
    void Poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible() || modal == m_last) return;
        m_last = modal;
        ++answered;
        m_answer(modal);
    }

    std::function<void(QWidget*)> m_answer;
    QTimer m_timer;
    QPointer<QWidget> m_last;
};
