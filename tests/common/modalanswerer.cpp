#include "tests/common/modalanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

namespace TestSupport {

ModalAnswerer::ModalAnswerer(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalAnswerer::poll);
    m_timer.start();
}

ModalAnswerer::~ModalAnswerer() = default;

void ModalAnswerer::answer(QMessageBox::StandardButton button)
{
    m_handlers.append([button](QWidget *widget) {
        QAbstractButton *target = nullptr;
        if (auto *box = qobject_cast<QMessageBox *>(widget))
            target = box->button(button);
        if (!target) {
            if (auto *buttons = widget->findChild<QDialogButtonBox *>())
                target = buttons->button(static_cast<QDialogButtonBox::StandardButton>(button));
        }
        if (target)
            target->click();
        else
            qWarning("ModalAnswerer: the dialog has no such button");
    });
}

void ModalAnswerer::pressEscape()
{
    m_handlers.append([](QWidget *widget) { QTest::keyClick(widget, Qt::Key_Escape); });
}

void ModalAnswerer::accept()
{
    m_handlers.append([](QWidget *widget) {
        if (auto *dialog = qobject_cast<QDialog *>(widget))
            dialog->accept();
    });
}

void ModalAnswerer::reject()
{
    m_handlers.append([](QWidget *widget) {
        if (auto *dialog = qobject_cast<QDialog *>(widget))
            dialog->reject();
    });
}

void ModalAnswerer::answerWith(const std::function<void(QWidget *)> &handler)
{
    m_handlers.append(handler);
}

bool ModalAnswerer::waitForAnswers(int count, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (m_records.size() < count && timer.elapsed() < timeoutMs)
        QTest::qWait(10);
    return m_records.size() >= count;
}

void ModalAnswerer::poll()
{
    if (m_handlers.isEmpty())
        return;
    QWidget *widget = QApplication::activeModalWidget();
    if (!widget || !widget->isVisible())
        return;
    // A dialog that was just answered may still be on the modal stack until
    // its exec() returns; never answer the same one twice.
    if (widget == m_pLastAnswered)
        return;

    ModalRecord record;
    record.className = QString::fromLatin1(widget->metaObject()->className());
    record.title = widget->windowTitle();
    if (auto *box = qobject_cast<QMessageBox *>(widget)) {
        record.text = box->text();
        record.informativeText = box->informativeText();
    }
    m_records.append(record);
    m_pLastAnswered = widget;
    const auto handler = m_handlers.takeFirst();
    handler(widget);
}

} // namespace TestSupport
