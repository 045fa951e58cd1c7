#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Runs `action` on the modal dialog of type Dialog that appears while this object
// lives (only the first one when `once`), polling, so that a test does not depend on
// when the dialog opens.
template <typename Dialog>
class ModalDialogAction : public QObject
{
public:
    explicit ModalDialogAction(std::function<void(Dialog *)> action, bool once = true)
    {
        timer.callOnTimeout(this, [this, action, once] {
            if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
                if (once)
                    timer.stop();
                action(dialog);
            }
        });
        timer.start(10);
    }

private:
    QTimer timer;
};

// Answers every message box that appears with `answer` (closes it when the box has no
// such button) and records the boxes' texts in order.
class ModalAnswer : public ModalDialogAction<QMessageBox>
{
public:
    explicit ModalAnswer(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : ModalDialogAction<QMessageBox>(
              [this, answer](QMessageBox *box) {
                  texts << box->text();
                  box->button(answer) ? box->button(answer)->click() : box->reject();
              },
              false)
    {
    }

    QStringList texts;
};
