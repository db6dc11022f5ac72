#pragma once

#include <QString>

namespace tiravo::test {

// File permissions as an ordinary user meets them. Root writes any file
// whatever its permissions, so a test that needs a file it cannot write, when
// it runs as root (as it does on the build servers), does its file work
// meanwhile as the user "nobody": the folder is given to that user, and only
// the file system identity of the calling thread changes (setfsuid), so that
// the rest of the test process goes on as before. Any other user meets the
// permissions already, and nothing changes for it.
class OrdinaryUser {
public:
    explicit OrdinaryUser(const QString& folder);
    ~OrdinaryUser();
    OrdinaryUser(const OrdinaryUser&) = delete;
    OrdinaryUser& operator=(const OrdinaryUser&) = delete;

    // False when running as root without the right to take another identity:
    // permissions cannot be tried then.
    bool ready() const { return ready_; }

private:
    bool switched_ = false;
    bool ready_ = false;
};

// chmod u+w, or chmod a-w.
void SetWritable(const QString& file, bool writable);

} // namespace tiravo::test
