#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace TestSupport {

// What a modal dialog showed when it was answered.
struct ModalRecord
{
    QString className;
    QString title;
    QString text;
    QString informativeText;
};

// Answers modal dialogs from the event loop while the code under test waits
// in exec(). Queue one answer per expected dialog; each goes to the next modal
// widget that appears, in order. Records what every answered dialog showed.
class ModalAnswerer : public QObject
{
    Q_OBJECT

public:
    explicit ModalAnswerer(QObject *parent = nullptr);
    ~ModalAnswerer() override;

    // Presses the standard button of a QMessageBox or a QDialogButtonBox.
    void answer(QMessageBox::StandardButton button);
    // Presses Escape on the dialog.
    void pressEscape();
    // Accepts or rejects a plain QDialog.
    void accept();
    void reject();
    // Any other handling: the function gets the modal widget and must close it.
    void answerWith(const std::function<void(QWidget *)> &handler);

    int pending() const { return m_handlers.size(); }
    const QList<ModalRecord> &records() const { return m_records; }
    // Processes events until `count` dialogs were answered in all.
    bool waitForAnswers(int count, int timeoutMs = 5000);

private slots:
    void poll();

private:
    QTimer m_timer;
    QList<std::function<void(QWidget *)>> m_handlers;
    QList<ModalRecord> m_records;
    QPointer<QWidget> m_pLastAnswered;
};

} // namespace TestSupport
