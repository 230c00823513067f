#ifndef KZ_EXAMPLES_CSVREADER_H
#define KZ_EXAMPLES_CSVREADER_H

// A small, fast reader of comma-separated files: reads the file in large
// blocks, splits rows into cells without copying, and parses numbers with
// std::from_chars. Quoted cells ("a,b") are understood; a quote inside a
// quoted cell is written twice ("").

#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace kzexample {

class CsvReader {
 public:
  CsvReader() = default;
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  /// Opens `path` and reads its header row. False with a message in `error`
  /// when the file cannot be read or has no header.
  bool Open(const std::string& path, std::string& error);

  const std::vector<std::string>& Header() const { return m_header; }

  /// The next data row split into cells (views valid until the next call).
  /// Blank lines are skipped. False at the end of the file or on a read error
  /// (then `error` is set).
  bool NextRow(std::vector<std::string_view>& cells, std::string& error);

  /// 1-based line number of the row last returned.
  long long LineNumber() const { return m_lineNumber; }

  /// Parses a whole cell as a finite double (surrounding blanks allowed).
  /// Returns false for anything else; an empty cell is reported by `empty`.
  static bool ParseNumber(std::string_view cell, double& value, bool& empty);

 private:
  bool NextLine(std::string_view& line, std::string& error);
  void Split(std::string_view line, std::vector<std::string_view>& cells);

  std::FILE* m_file = nullptr;
  std::vector<char> m_buffer;
  size_t m_begin = 0;  // start of unread data in m_buffer
  size_t m_end = 0;    // end of valid data in m_buffer
  bool m_eof = false;
  long long m_lineNumber = 0;
  std::vector<std::string> m_header;
  std::deque<std::string> m_unquotedCells;  // cells that needed unquoting
};

}  // namespace kzexample

#endif  // KZ_EXAMPLES_CSVREADER_H
