// Writing a large XML tree: WriteTreeUTF8 of the library against libxml2's
// xmlDocDumpFormatMemory (pretty-printed, UTF-8) on the same tree, built once
// in each model. Each iteration writes the whole document into fresh memory;
// the ratio counter is our time over libxml2's (thread CPU time), measured in
// the same run.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <time.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <random>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "kzcommon12r/xml/XMLElement.h"
#include "kzcommon12r/xml/XMLString.h"
#include "kzcommon12r/xml/XMLWriter.h"

namespace {

using namespace KzXML_1_2;

// Root > groups > items: each item has two attributes (a number and a name
// that sometimes needs escaping) and one text child; each group one attribute.
struct Trees {
  std::unique_ptr<XMLElement> kz;
  xmlDocPtr peer = nullptr;
  long long elements = 0;
  ~Trees() { xmlFreeDoc(peer); }
};

std::unique_ptr<Trees> BuildTrees(long long groups, long long itemsPerGroup) {
  auto t = std::make_unique<Trees>();
  std::mt19937 gen(20261207u);
  t->kz.reset(XMLElement::Create("Root"));
  t->peer = xmlNewDoc(BAD_CAST "1.0");
  xmlNodePtr peerRoot = xmlNewNode(nullptr, BAD_CAST "Root");
  xmlDocSetRootElement(t->peer, peerRoot);
  t->elements = 1;
  for (long long g = 0; g < groups; ++g) {
    const std::string id = std::to_string(g);
    XMLElement* group = XMLElement::Create("Group");
    group->AddAttribute("id", id);
    xmlNodePtr peerGroup = xmlNewChild(peerRoot, nullptr, BAD_CAST "Group", nullptr);
    xmlNewProp(peerGroup, BAD_CAST "id", BAD_CAST id.c_str());
    for (long long i = 0; i < itemsPerGroup; ++i) {
      const std::string value = Format(std::uniform_real_distribution<double>(-1e3, 1e3)(gen),
                                       false, nullptr);
      const std::string name = (gen() % 8 == 0) ? "a&b <" + id + ">" : "item " + id;
      const std::string text = "count " + std::to_string(i);
      XMLElement* item = XMLElement::Create("Item");
      item->AddAttribute("value", value);
      item->AddAttribute("name", name);
      item->AddElement(XMLString::Create(text));
      group->AddElement(item);
      xmlNodePtr peerItem = xmlNewChild(peerGroup, nullptr, BAD_CAST "Item", nullptr);
      xmlNewProp(peerItem, BAD_CAST "value", BAD_CAST value.c_str());
      xmlNewProp(peerItem, BAD_CAST "name", BAD_CAST name.c_str());
      xmlNodeAddContent(peerItem, BAD_CAST text.c_str());
    }
    t->kz->AddElement(group);
    t->elements += 1 + itemsPerGroup;
  }
  return t;
}

// An output stream whose bytes land in one malloc'ed block grown with
// realloc, handed over without a copy: the same service (and the same growth
// policy) that xmlDocDumpFormatMemory gives its caller.
class MemoryBuf : public std::streambuf {
 public:
  MemoryBuf() = default;
  MemoryBuf(const MemoryBuf&) = delete;
  MemoryBuf& operator=(const MemoryBuf&) = delete;
  ~MemoryBuf() override { std::free(m_data); }
  size_t size() const { return m_size; }

 protected:
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    const size_t count = static_cast<size_t>(n);
    Reserve(count);
    std::memcpy(m_data + m_size, s, count);
    m_size += count;
    return n;
  }
  int_type overflow(int_type c) override {
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      Reserve(1);
      m_data[m_size++] = traits_type::to_char_type(c);
    }
    return traits_type::not_eof(c);
  }

 private:
  void Reserve(size_t n) {
    if (m_capacity - m_size >= n) return;
    size_t capacity = m_capacity == 0 ? 4096 : 2 * m_capacity;
    while (capacity - m_size < n) capacity *= 2;
    char* data = static_cast<char*>(std::realloc(m_data, capacity));
    if (data == nullptr) throw std::bad_alloc();
    m_data = data;
    m_capacity = capacity;
  }

  char* m_data = nullptr;
  size_t m_size = 0;
  size_t m_capacity = 0;
};

size_t WriteKz(const Trees& t) {
  MemoryBuf buf;
  std::ostream os(&buf);
  WriteTreeUTF8(os, nullptr, t.kz.get(), true);
  return buf.size();
}

size_t WritePeer(const Trees& t) {
  xmlChar* mem = nullptr;
  int size = 0;
  xmlDocDumpFormatMemoryEnc(t.peer, &mem, &size, "UTF-8", 1);
  xmlFree(mem);
  return static_cast<size_t>(size);
}

// CPU time of this thread, page faults included: the machine may be shared,
// and wall time would charge either side for other processes.
double ThreadSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + 1e-9 * static_cast<double>(ts.tv_nsec);
}

// range(0): number of groups; each holds 999 items, so 1000 groups make a
// tree of 1,000,001 elements.
void BM_WriteTreeUTF8VsLibxml2(benchmark::State& state) {
  const auto trees = BuildTrees(state.range(0), 999);
  double kzSeconds = 0.0, peerSeconds = 0.0;
  size_t kzBytes = 0, peerBytes = 0;
  bool kzFirst = true;
  for (auto _ : state) {
    // Alternate the order so neither side always meets the heap the other left.
    if (kzFirst) {
      const double t0 = ThreadSeconds();
      kzBytes = WriteKz(*trees);
      const double t1 = ThreadSeconds();
      peerBytes = WritePeer(*trees);
      const double t2 = ThreadSeconds();
      kzSeconds += t1 - t0;
      peerSeconds += t2 - t1;
    } else {
      const double t0 = ThreadSeconds();
      peerBytes = WritePeer(*trees);
      const double t1 = ThreadSeconds();
      kzBytes = WriteKz(*trees);
      const double t2 = ThreadSeconds();
      peerSeconds += t1 - t0;
      kzSeconds += t2 - t1;
    }
    kzFirst = !kzFirst;
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["elements"] = static_cast<double>(trees->elements);
  state.counters["kz_ms"] = 1e3 * kzSeconds / n;
  state.counters["libxml2_ms"] = 1e3 * peerSeconds / n;
  state.counters["ratio"] = kzSeconds / peerSeconds;
  state.counters["kz_MB"] = static_cast<double>(kzBytes) / 1e6;
  state.counters["libxml2_MB"] = static_cast<double>(peerBytes) / 1e6;
  state.SetItemsProcessed(state.iterations() * trees->elements);
}

BENCHMARK(BM_WriteTreeUTF8VsLibxml2)
    ->RangeMultiplier(10)
    ->Range(10, 1000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0)
    ->MeasureProcessCPUTime();

}  // namespace
