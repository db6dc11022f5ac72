// The one place that turns an error into the standard error box.
#include "widgets/HandlerGuard.h"
#include "common/Error.h"
#include "support/FakeDialogs.h"

#include "WidgetTesting.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tiravo {
namespace {

TEST(RunGuarded, ShowsTheErrorsTextAndReportsTheHandlerEnded) {
    FakeDialogs dialogs;
    int reached = 0;
    EXPECT_TRUE(RunGuarded(dialogs, [&] { ++reached; }));
    EXPECT_FALSE(RunGuarded(dialogs, [&] {
        throw Error("Field 'Nome' must have a value");
        ++reached;
    }));
    EXPECT_FALSE(RunGuarded(dialogs, [] { throw std::out_of_range("index 9 is out of range"); }));
    EXPECT_EQ(reached, 1);
    EXPECT_EQ(dialogs.texts(DialogKind::Error),
              (QStringList{"Field 'Nome' must have a value.", "index 9 is out of range."}));
    // What is no error of any kind is not swallowed.
    EXPECT_THROW(RunGuarded(dialogs, [] { throw 42; }), int);
}

} // namespace
} // namespace tiravo
