// Cutting the free text into rows at its line breaks and its spaces.
#include "print/body_rows.h"

namespace {

constexpr std::size_t kTabStop = 8;

void AddWrapped(std::string line, std::vector<std::string>& rows) {
  bool wrapped = false;
  while (line.size() > kRowWidth) {
    // A space just past the row's last column still lets the row be full.
    std::size_t space = line.rfind(' ', kRowWidth);
    std::size_t end = space == std::string::npos || space == 0 ? kRowWidth : space;
    rows.push_back(line.substr(0, end));
    std::size_t next = line.find_first_not_of(' ', end);
    line.erase(0, next == std::string::npos ? line.size() : next);
    wrapped = true;
  }
  // Spaces that end a wrapped line stay at the end of its last row.
  if (!wrapped || !line.empty()) rows.push_back(line);
}

// The edit control puts a tab's text at the next of its default stops, every
// eight columns; the sheet does the same with spaces.
std::string WithTabsExpanded(const std::string& line) {
  if (line.find('\t') == std::string::npos) return line;
  std::string expanded;
  for (char c : line) {
    if (c == '\t') {
      expanded.append(kTabStop - expanded.size() % kTabStop, ' ');
    } else {
      expanded += c;
    }
  }
  return expanded;
}

}  // namespace

std::vector<std::string> BodyRows(const std::string& body) {
  std::vector<std::string> rows;
  std::size_t start = 0;
  while (true) {
    std::size_t lineEnd = body.find('\n', start);
    std::size_t end = lineEnd == std::string::npos ? body.size() : lineEnd;
    // The CR of the CR LF that ends the line is no text.
    if (lineEnd != std::string::npos && end > start && body[end - 1] == '\r') --end;
    AddWrapped(WithTabsExpanded(body.substr(start, end - start)), rows);
    if (lineEnd == std::string::npos) break;
    start = lineEnd + 1;
  }
  return rows;
}

bool RowsFit(const std::vector<std::string>& rows, std::size_t count) {
  for (std::size_t i = count; i < rows.size(); ++i) {
    if (rows[i].find_first_not_of(' ') != std::string::npos) return false;
  }
  return true;
}
