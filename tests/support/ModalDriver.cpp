#include "support/ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

namespace tiravo::test {

namespace {

void Poll(std::shared_ptr<std::vector<std::function<void(QDialog*)>>> queue, QPointer<QWidget> last,
          int triesLeft) {
    if (queue->empty() || triesLeft == 0)
        return;
    QTimer::singleShot(5, [queue, last, triesLeft] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal || modal == last.data()) {
            Poll(queue, last, triesLeft - 1);
            return;
        }
        auto action = queue->front();
        queue->erase(queue->begin());
        QPointer<QWidget> seen = modal;
        action(modal);
        Poll(queue, seen, 1000);
    });
}

} // namespace

void OnNextModal(std::function<void(QDialog*)> action) {
    OnModals({std::move(action)});
}

void OnModals(std::initializer_list<std::function<void(QDialog*)>> actions) {
    auto queue = std::make_shared<std::vector<std::function<void(QDialog*)>>>(actions);
    Poll(queue, nullptr, 1000);
}

} // namespace tiravo::test
