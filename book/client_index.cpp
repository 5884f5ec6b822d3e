#include "book/client_index.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <tuple>

namespace vesprin {
namespace {

bool before(const ClientSummary& a, const ClientSummary& b) {
  return std::tie(a.searchText, a.id) < std::tie(b.searchText, b.id);
}

// A search text as bytes, one a letter, so that the C library's substring
// search (memmem: a few gigabytes a second) can scan the whole list: ASCII as
// it is, the Thai block U+0E00..U+0E7F as 0x80..0xFF, anything else as 0x01
// and four bytes 0x10..0x1F (its UTF-16 code unit, a nibble each). Those
// bytes appear nowhere else (the texts hold no control character but the
// line feed between their fields), and a word's bytes start with a letter or
// 0x01, so a match always starts and ends on the letters of the text: it is
// found exactly where QString::contains would find the word.
void appendSearchBytes(QStringView text, std::string& out) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x80 && u != 0x00 && u != 0x01) {
      out += static_cast<char>(u);
    } else if (u >= 0x0E00 && u <= 0x0E7F) {
      out += static_cast<char>(0x80 + (u - 0x0E00));
    } else {
      out += '\x01';
      for (int shift = 12; shift >= 0; shift -= 4) out += static_cast<char>(0x10 + ((u >> shift) & 0xF));
    }
  }
}

std::string searchBytes(QStringView text) {
  std::string out;
  appendSearchBytes(text, out);
  return out;
}

bool holds(const char* text, std::size_t length, const std::string& word) {
  return ::memmem(text, length, word.data(), word.size()) != nullptr;
}

}  // namespace

ClientSummary summaryOf(const Client& c) {
  const auto qs = [](const std::string& text) { return QString::fromStdString(text); };
  return {c.id, qs(c.fields.name), qs(c.fields.nickname), qs(c.fields.phone), c.fields.birth,
          clientSearchText(c.fields)};
}

ClientIndex::ClientIndex(std::vector<ClientSummary> clients) : clients_(std::move(clients)) {
  // Sorted as small keys side by side (the first four letters as one number,
  // then the client's place), the whole texts compared only where those tie,
  // then moved into place once: a sort that swapped whole clients and chased
  // their texts through memory took most of the desk's opening.
  struct Key {
    std::uint64_t head;
    std::uint32_t k;
  };
  std::vector<Key> keys(clients_.size());
  for (std::uint32_t k = 0; k < keys.size(); ++k) {
    std::uint64_t head = 0;
    const QString& text = clients_[k].searchText;
    for (qsizetype i = 0; i < 4; ++i) head = head << 16 | (i < text.size() ? text[i].unicode() : 0u);
    keys[k] = {head, k};
  }
  std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
    return a.head != b.head ? a.head < b.head : before(clients_[a.k], clients_[b.k]);
  });
  std::vector<ClientSummary> sorted;
  sorted.reserve(clients_.size());
  for (const Key& key : keys) sorted.push_back(std::move(clients_[key.k]));
  clients_ = std::move(sorted);
  rebuildText();  // now, not on the first keystroke
}

void ClientIndex::rebuildText() const {
  text_.clear();
  starts_.clear();
  starts_.reserve(clients_.size() + 1);
  for (const ClientSummary& c : clients_) {
    starts_.push_back(text_.size());
    appendSearchBytes(c.searchText, text_);
    text_ += '\0';
  }
  starts_.push_back(text_.size());
  stale_ = false;
}

std::vector<const ClientSummary*> ClientIndex::find(const SearchQuery& query, std::optional<int> limit) const {
  std::vector<const ClientSummary*> out;
  if (query.impossible || (limit && *limit <= 0)) return out;
  const auto full = [&] { return limit && static_cast<int>(out.size()) >= *limit; };
  const auto bornThen = [&](const ClientSummary& c) { return !query.date || birthMatches(*query.date, c.birth); };
  std::vector<std::string> words;
  for (const QString& w : query.words)
    if (!w.isEmpty()) words.push_back(searchBytes(w));
  if (words.empty()) {
    for (const ClientSummary& c : clients_) {
      if (!bornThen(c)) continue;
      out.push_back(&c);
      if (full()) break;
    }
    return out;
  }
  if (stale_) rebuildText();
  // The longest word is scanned for through the whole list (it occurs least
  // often); a client it is found in is tested for the other words and the date.
  std::iter_swap(words.begin(), std::max_element(words.begin(), words.end(), [](const auto& a, const auto& b) {
                   return a.size() < b.size();
                 }));
  const std::string& scanned = words.front();
  const char* const begin = text_.data();
  const char* const end = begin + text_.size();
  std::size_t k = 0;  // the client of the text at `at`, and its successor's start
  for (const char* at = begin; at < end;) {
    const void* hit = ::memmem(at, static_cast<std::size_t>(end - at), scanned.data(), scanned.size());
    if (!hit) break;
    const auto offset = static_cast<std::size_t>(static_cast<const char*>(hit) - begin);
    k = static_cast<std::size_t>(std::upper_bound(starts_.begin() + static_cast<std::ptrdiff_t>(k), starts_.end(), offset) -
                                 starts_.begin()) - 1;
    const char* const own = begin + starts_[k];
    const std::size_t length = starts_[k + 1] - starts_[k] - 1;
    const ClientSummary& c = clients_[k];
    if (bornThen(c) && std::all_of(words.begin() + 1, words.end(),
                                   [&](const std::string& w) { return holds(own, length, w); })) {
      out.push_back(&c);
      if (full()) break;
    }
    at = begin + starts_[k + 1];  // the next client
  }
  return out;
}

void ClientIndex::put(ClientSummary client) {
  erase(client.id);
  const auto at = std::upper_bound(clients_.begin(), clients_.end(), client, before);
  clients_.insert(at, std::move(client));
  stale_ = true;
}

void ClientIndex::erase(ClientId id) {
  std::erase_if(clients_, [id](const ClientSummary& c) { return c.id == id; });
  stale_ = true;
}

const ClientSummary* ClientIndex::byId(ClientId id) const {
  const auto it = std::find_if(clients_.begin(), clients_.end(), [id](const ClientSummary& c) { return c.id == id; });
  return it == clients_.end() ? nullptr : &*it;
}

}  // namespace vesprin
