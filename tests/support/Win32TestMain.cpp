// The tests' main on Windows: a crash ends the run with the exception's code, never with 0.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

LONG WINAPI EndWithExceptionCode(EXCEPTION_POINTERS* exception) {
    ::TerminateProcess(::GetCurrentProcess(), exception->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
    ::SetUnhandledExceptionFilter(EndWithExceptionCode);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
