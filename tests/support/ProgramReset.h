#pragma once

#include <gtest/gtest.h>

namespace TestSupport {

// Puts the whole program back as a freshly started test process has it: the
// program-wide variables through the program's own reset steps (InitGlobals,
// NewData, the session resets of both programs), the loaded windows and the
// window makers, the services and hooks tests install, the language, the
// settings and habit state, the channel clipboard, the user-settings store (a
// fresh empty one) and the number format. Windows left over from an earlier
// case are deleted.
void ResetProgramState();

// Runs ResetProgramState before every case and deletes the windows a case
// left behind after it, so that no case depends on the cases run before it.
class ProgramResetListener final : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override;
    void OnTestEnd(const ::testing::TestInfo&) override;
};

// Installs the listener; every test executable's main calls it after
// InitGoogleTest.
void InstallProgramReset();

} // namespace TestSupport
