#pragma once

#include <functional>

class QDialog;

namespace tiravo::test {

// Runs `action` on the next modal dialog once its modal run has begun, from
// inside that run, so a test can drive a window its opener exec()s. Gives up
// after a few seconds, and the test then fails on what the action left undone.
void OnNextModal(std::function<void(QDialog*)> action);

// Runs the actions one after another on the modal dialogs as they come.
void OnModals(std::initializer_list<std::function<void(QDialog*)>> actions);

} // namespace tiravo::test
