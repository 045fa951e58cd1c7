#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

#include <functional>

// Answers the modal message boxes that a command opens: each time a box appears it
// records the box's text and presses the next button of `answers` (the last one
// is repeated). Live for the duration of the command under test.
class ModalAnswer : public QObject
{
public:
    explicit ModalAnswer(QList<QMessageBox::StandardButton> answers = {QMessageBox::Ok})
        : answers(std::move(answers))
    {
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, &ModalAnswer::poll);
        timer.start();
    }

    QStringList texts;    // texts of the boxes seen, in order
    QStringList titles;   // their window titles

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        texts << box->text();
        titles << box->windowTitle();
        const QMessageBox::StandardButton answer =
            answers.isEmpty() ? QMessageBox::Ok : (answers.size() > 1 ? answers.takeFirst() : answers.first());
        QAbstractButton *button = box->button(answer);
        if (button)
            button->click();
        else
            box->reject();
    }

    QList<QMessageBox::StandardButton> answers;
    QTimer timer;
};

// Runs `action` once on the first modal dialog of type Dialog that appears, polling
// like ModalAnswer, so a test does not depend on when the dialog opens.
template <typename Dialog>
class ModalDialogAction : public QObject
{
public:
    explicit ModalDialogAction(std::function<void(Dialog *)> action)
        : action(std::move(action))
    {
        timer.setInterval(10);
        connect(&timer, &QTimer::timeout, this, [this] {
            if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
                timer.stop();
                done = true;
                this->action(dialog);
            }
        });
        timer.start();
    }

    bool done = false;

private:
    std::function<void(Dialog *)> action;
    QTimer timer;
};
