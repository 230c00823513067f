#include "support/KzDisplayCapture.h"

#include "kzcommon12r/display/KzDisplay.h"

namespace kztest {

DisplayCapture::DisplayCapture() : m_previous(KzDisplay_1_2::GetOutStream()) {
  KzDisplay_1_2::SetOutStream(m_buffer);
}

DisplayCapture::~DisplayCapture() { KzDisplay_1_2::SetOutStream(*m_previous); }

std::string DisplayCapture::Take() {
  std::string text = m_buffer.str();
  m_buffer.str(std::string());
  return text;
}

}  // namespace kztest
