#include "CsvReader.h"

#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace kzexample {

namespace {

constexpr size_t kBlockSize = size_t{1} << 22;  // 4 MiB reads

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

CsvReader::~CsvReader() {
  if (m_file) std::fclose(m_file);
}

bool CsvReader::Open(const std::string& path, std::string& error) {
  m_file = std::fopen(path.c_str(), "rb");
  if (!m_file) {
    error = "cannot open '" + path + "': " + std::strerror(errno);
    return false;
  }
  m_buffer.resize(kBlockSize);
  std::string_view line;
  do {
    if (!NextLine(line, error)) {
      if (error.empty()) error = "'" + path + "' is empty: no header row";
      return false;
    }
  } while (Trim(line).empty());
  std::vector<std::string_view> cells;
  Split(line, cells);
  for (std::string_view c : cells) m_header.emplace_back(Trim(c));
  return true;
}

bool CsvReader::NextLine(std::string_view& line, std::string& error) {
  for (;;) {
    const char* start = m_buffer.data() + m_begin;
    const void* nl = std::memchr(start, '\n', m_end - m_begin);
    if (nl != nullptr) {
      const char* stop = static_cast<const char*>(nl);
      size_t len = static_cast<size_t>(stop - start);
      m_begin += len + 1;
      if (len > 0 && start[len - 1] == '\r') --len;
      line = std::string_view(start, len);
      ++m_lineNumber;
      return true;
    }
    if (m_eof) {
      if (m_begin == m_end) return false;
      // Last line without a newline.
      size_t len = m_end - m_begin;
      if (start[len - 1] == '\r') --len;
      line = std::string_view(start, len);
      m_begin = m_end;
      ++m_lineNumber;
      return true;
    }
    // Move the partial line to the front and read more after it.
    const size_t pending = m_end - m_begin;
    if (pending == m_buffer.size()) m_buffer.resize(m_buffer.size() * 2);  // very long line
    std::memmove(m_buffer.data(), m_buffer.data() + m_begin, pending);
    m_begin = 0;
    m_end = pending;
    const size_t got = std::fread(m_buffer.data() + m_end, 1, m_buffer.size() - m_end, m_file);
    if (got == 0) {
      if (std::ferror(m_file)) {
        error = std::string("read error: ") + std::strerror(errno);
        return false;
      }
      m_eof = true;
    }
    m_end += got;
  }
}

void CsvReader::Split(std::string_view line, std::vector<std::string_view>& cells) {
  cells.clear();
  m_unquotedCells.clear();
  size_t pos = 0;
  for (;;) {
    if (pos < line.size() && line[pos] == '"') {
      // Quoted cell: copied out with doubled quotes collapsed. A deque keeps
      // earlier copies in place, so their views stay valid.
      std::string& text = m_unquotedCells.emplace_back();
      size_t i = pos + 1;
      for (; i < line.size(); ++i) {
        if (line[i] != '"') {
          text += line[i];
        } else if (i + 1 < line.size() && line[i + 1] == '"') {
          text += '"';
          ++i;
        } else {
          break;
        }
      }
      cells.emplace_back(text);
      const size_t comma = line.find(',', i);
      pos = comma == std::string_view::npos ? line.size() : comma;
    } else {
      const size_t comma = line.find(',', pos);
      const size_t stop = comma == std::string_view::npos ? line.size() : comma;
      cells.push_back(line.substr(pos, stop - pos));
      pos = stop;
    }
    if (pos >= line.size()) break;
    ++pos;  // past the comma
  }
}

bool CsvReader::NextRow(std::vector<std::string_view>& cells, std::string& error) {
  std::string_view line;
  do {
    if (!NextLine(line, error)) return false;
  } while (Trim(line).empty());
  Split(line, cells);
  return true;
}

bool CsvReader::ParseNumber(std::string_view cell, double& value, bool& empty) {
  cell = Trim(cell);
  empty = cell.empty();
  if (empty) return false;
  if (cell.front() == '+') cell.remove_prefix(1);
  const char* first = cell.data();
  const char* last = first + cell.size();
  const auto result = std::from_chars(first, last, value);
  return result.ec == std::errc() && result.ptr == last && std::isfinite(value);
}

}  // namespace kzexample
