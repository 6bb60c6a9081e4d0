// Cutting the free text into rows at its line breaks and its spaces.
#include "print/body_rows.h"

namespace {

constexpr std::size_t kTabStop = 8;

// One line's rows. A tab takes its row to the next of the edit control's
// default stops, every eight columns counted from the row's start, as the
// control draws each row; the sheet puts spaces there.
void AddWrapped(const std::string& line, std::vector<std::string>& rows) {
  std::size_t at = 0;  // where the row starts in the line
  bool wrapped = false;
  while (true) {
    std::string row;
    std::vector<std::size_t> from;  // the line's byte each column shows
    for (std::size_t i = at; i < line.size() && row.size() <= kRowWidth; ++i) {
      std::size_t columns = line[i] == '\t' ? kTabStop - row.size() % kTabStop : 1;
      row.append(columns, line[i] == '\t' ? ' ' : line[i]);
      from.insert(from.end(), columns, i);
    }
    if (row.size() <= kRowWidth) {
      // Spaces that end a wrapped line stay at the end of its last row.
      if (!wrapped || !row.empty()) rows.push_back(row);
      return;
    }
    // A space just past the row's last column still lets the row be full.
    std::size_t space = row.rfind(' ', kRowWidth);
    std::size_t end = space == std::string::npos || space == 0 ? kRowWidth : space;
    rows.push_back(row.substr(0, end));
    at = from[end];
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    wrapped = true;
  }
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
    AddWrapped(body.substr(start, end - start), rows);
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
