#ifndef KZ_TESTS_SUPPORT_KZDISPLAYCAPTURE_H
#define KZ_TESTS_SUPPORT_KZDISPLAYCAPTURE_H

#include <gtest/gtest.h>

#include <ostream>
#include <sstream>
#include <string>

namespace kztest {

/// Redirects the library's display stream to a string for the lifetime of the
/// object and restores the previous stream afterwards.
class DisplayCapture {
 public:
  DisplayCapture();
  ~DisplayCapture();
  DisplayCapture(const DisplayCapture&) = delete;
  DisplayCapture& operator=(const DisplayCapture&) = delete;

  /// Everything displayed so far.
  std::string Text() const { return m_buffer.str(); }
  /// Everything displayed so far, then forgets it.
  std::string Take();

 private:
  std::ostringstream m_buffer;
  std::ostream* m_previous;
};

/// Fixture form: each test's display output is captured in `capture`.
class DisplayCaptureTest : public ::testing::Test {
 protected:
  DisplayCapture capture;
};

}  // namespace kztest

#endif  // KZ_TESTS_SUPPORT_KZDISPLAYCAPTURE_H
