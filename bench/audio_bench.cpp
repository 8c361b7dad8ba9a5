// The program's own playback, measured on a generated disc image (two
// tracks of tones, gapless): the CPU of a play through the engine against
// the minimal WASAPI player on the same PCM, the time from Play to sound,
// the samples a track change loses, and the memory of the ring. The sound
// figures need the private sound server and the recording of its sink that
// bench/audio_bench.sh starts; without them the bench says what it skipped.
// Usage: audio_bench.exe [SECONDS [RUNS]]; audio_bench.exe --drive CUE
// SECTORS plays for the CPU figure in a process of its own.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "audio/digital_cd_drive.h"
#include "audio/sector_reader.h"
#include "audio/wasapi_output.h"
#include "cd/image_sector_source.h"
#include "cd/msf.h"
#include "common/handles.h"
#include "play_cost.h"
#include "support/disc_image.h"
#include "support/recording.h"
#include "support/test_support.h"
#include "support/tone_source.h"

// Every C++ allocation of the process, counted, so the engine's memory is
// measured rather than read off its constants.
namespace {

std::atomic<long long> liveBytes{0};
std::atomic<long long> largestBlock{0};
constexpr size_t kHeader = 16;  // keeps the block as aligned as malloc's

void* CountedNew(size_t size) {
  unsigned char* block = static_cast<unsigned char*>(malloc(size + kHeader));
  if (!block) return nullptr;
  memcpy(block, &size, sizeof size);
  liveBytes += static_cast<long long>(size);
  long long seen = largestBlock.load();
  while (static_cast<long long>(size) > seen && !largestBlock.compare_exchange_weak(seen, static_cast<long long>(size))) {
  }
  return block + kHeader;
}

void CountedDelete(void* pointer) {
  if (!pointer) return;
  unsigned char* block = static_cast<unsigned char*>(pointer) - kHeader;
  size_t size;
  memcpy(&size, block, sizeof size);
  liveBytes -= static_cast<long long>(size);
  free(block);
}

void* CountedNewOrThrow(size_t size) {
  void* block = CountedNew(size);
  if (!block) throw std::bad_alloc();
  return block;
}

}  // namespace

void* operator new(size_t size) { return CountedNewOrThrow(size); }
void* operator new[](size_t size) { return CountedNewOrThrow(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return CountedNew(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return CountedNew(size); }
void operator delete(void* pointer) noexcept { CountedDelete(pointer); }
void operator delete[](void* pointer) noexcept { CountedDelete(pointer); }
void operator delete(void* pointer, size_t) noexcept { CountedDelete(pointer); }
void operator delete[](void* pointer, size_t) noexcept { CountedDelete(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { CountedDelete(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { CountedDelete(pointer); }

namespace {

constexpr double kCpuBar = 1.2;
constexpr double kStartBarMs = 300;
constexpr long long kRingBarBytes = 2 * 1024 * 1024;
constexpr int kSectorsPerSecond = 75;

std::string Msf(int sectors) {
  char text[16];
  snprintf(text, sizeof text, "%02d:%02d:%02d", sectors / kFramesPerMinute, sectors / kFramesPerSecond % 60,
           sectors % kFramesPerSecond);
  return text;
}

// The generated disc: two tracks of `trackSectors` each in one BIN file,
// the second straight after the first, each with its own tone.
struct ToneImage {
  std::string cue, bin, pcm;
  int trackSectors = 0;
};

ToneImage WriteToneImage(const ScratchFolder& folder, int trackSectors) {
  ToneImage image;
  image.trackSectors = trackSectors;
  ToneSectorSource tones(std::vector<ToneTrack>{{trackSectors}, {trackSectors}});
  image.pcm.resize(static_cast<size_t>(2 * trackSectors) * kRawSectorBytes);
  tones.ReadSectors(0, 2 * trackSectors, reinterpret_cast<unsigned char*>(&image.pcm[0]));
  const std::string sheet = "FILE \"tones.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"
                            "  TRACK 02 AUDIO\n    INDEX 01 " + Msf(trackSectors) + "\n";
  image.cue = WriteDiscImage(folder.path(), sheet, {{"tones.bin", image.pcm}});
  image.bin = folder.File("tones.bin");
  return image;
}

// The system's shared-mode output only, so the figures are WASAPI's; a PC
// without it plays on the silent clock and the bench says so.
class WasapiOpener final : public AudioOutputOpener {
 public:
  std::unique_ptr<AudioOutput> OpenOutput(IMMDeviceEnumerator* enumerator) override {
    std::unique_ptr<WasapiOutput> output(new (std::nothrow) WasapiOutput);
    result_ = output ? output->Open(enumerator) : E_OUTOFMEMORY;
    if (FAILED(result_)) output.reset();
    return std::unique_ptr<AudioOutput>(output.release());
  }
  HRESULT result_ = E_FAIL;
};

class EndFlag final : public PlayEndListener {
 public:
  void OnPlayEnded() override { ended_ = true; }
  bool ended_ = false;
};

// The engine over the image, with the player's side of it.
struct ImageDrive {
  explicit ImageDrive(ImageSectorSource* image)
      : window(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)),
        drive(std::unique_ptr<SectorSource>(image), 0, 0, &opener) {}
  bool Open() { return drive.Open(0, window.get(), &listener) == DriveOpenResult::kOpened; }
  // Hands the drive its messages, as the player's window does.
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (!drive.OnWindowMessage(msg.message, msg.wParam, msg.lParam)) DispatchMessageA(&msg);
    }
  }

  WasapiOpener opener;
  unique_hwnd window;
  EndFlag listener;
  DigitalCdDrive drive;
};

ImageSectorSource* OpenImage(const std::string& cue) {
  std::unique_ptr<ImageSectorSource> image(new ImageSectorSource);
  if (image->Open(cue.c_str()).status != CueStatus::kOk) return nullptr;
  return image.release();
}

DWORD TmsfAtSector(int trackSectors, int sector) {
  const int track = sector < trackSectors ? 1 : 2;
  return ToTmsf({track, sector - (track - 1) * trackSectors});
}

// --drive: plays sectors [0, SECTORS) of the image as the player would (a
// refresh every 500 ms, the end told through the window) and prints its cost.
int PlayDrive(const char* cue, int sectors, int trackSectors) {
  ImageSectorSource* image = OpenImage(cue);
  if (!image) {
    fprintf(stderr, "audio_bench: cannot open %s\n", cue);
    return 1;
  }
  ImageDrive s(image);
  if (!s.Open() || FAILED(s.opener.result_)) {
    fprintf(stderr, "audio_bench: no WASAPI output (0x%08lx)\n", static_cast<unsigned long>(s.opener.result_));
    return 1;
  }
  UINT_PTR timer = SetTimer(nullptr, 0, 500, nullptr);
  const play_cost::Reading from = play_cost::Now();
  if (!s.drive.Play(MakeTmsf(1, 0, 0, 0), TmsfAtSector(trackSectors, sectors))) return 1;
  MSG msg;
  while (!s.listener.ended_ && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (s.drive.OnWindowMessage(msg.message, msg.wParam, msg.lParam)) continue;
    if (msg.message == WM_TIMER && !msg.hwnd) s.drive.Refresh();
    DispatchMessageA(&msg);
  }
  const play_cost::Reading to = play_cost::Now();
  KillTimer(nullptr, timer);
  play_cost::Print(from, to, static_cast<unsigned long long>(sectors) * kSamplesPerSector);
  return 0;
}

struct Cost {
  bool ok = false;
  double wallMs = 0, processMs = 0, serverMs = -1, pulseMs = -1;
  double Total() const { return processMs + (serverMs > 0 ? serverMs : 0); }
};

// Runs a player in a process of its own and reads its "cost" line.
Cost RunPlayer(const std::string& commandLine) {
  Cost cost;
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return cost;
  unique_handle reader(readEnd), writer(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION started = {};
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back(0);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started)) {
    return cost;
  }
  unique_handle process(started.hProcess), thread(started.hThread);
  writer.reset();
  std::string output;
  char buffer[512];
  DWORD got = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  WaitForSingleObject(process.get(), INFINITE);
  DWORD exitCode = 1;
  GetExitCodeProcess(process.get(), &exitCode);
  size_t at = output.find("cost ");
  unsigned long long frames = 0;
  cost.ok = exitCode == 0 && at != std::string::npos &&
            sscanf(output.c_str() + at, "cost wall=%lf process=%lf server=%lf pulse=%lf frames=%llu", &cost.wallMs,
                   &cost.processMs, &cost.serverMs, &cost.pulseMs, &frames) == 5;
  return cost;
}

void PrintCost(const char* name, const Cost& c, int run) {
  if (!c.ok) {
    printf("cpu    %-22s run %d  failed\n", name, run);
    return;
  }
  printf("cpu    %-22s run %d  %6.0f ms of %6.0f ms: %5.2f %% of a core; wineserver %4.0f ms; sound server %4.0f ms\n",
         name, run, c.processMs, c.wallMs, 100 * c.processMs / c.wallMs, c.serverMs, c.pulseMs);
}

std::string ThisFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

bool Cpu(const ToneImage& image, int seconds, int runs) {
  const int sectors = seconds * kSectorsPerSecond;
  char tail[64];
  snprintf(tail, sizeof tail, " %d", sectors * kSamplesPerSector);
  const std::string baseline = "\"" + ThisFolder() + "\\minimal_wasapi_player.exe\" \"" + image.bin + "\"" + tail;
  snprintf(tail, sizeof tail, " %d %d", sectors, image.trackSectors);
  const std::string engine = "\"" + ThisFolder() + "\\audio_bench.exe\" --drive \"" + image.cue + "\"" + tail;
  // The least of each measure over the runs: the load only ever adds.
  struct Best {
    double process = -1, total = -1, server = -1;
    void Take(const Cost& c) {
      if (!c.ok) return;
      if (process < 0 || c.processMs < process) process = c.processMs;
      if (total < 0 || c.Total() < total) {
        total = c.Total();
        server = c.serverMs;
      }
    }
  } baselineBest, engineBest;
  for (int run = 1; run <= runs; ++run) {
    // In turns, so a change of load hits both alike.
    Cost b = RunPlayer(baseline);
    PrintCost("minimal WASAPI player", b, run);
    Cost e = RunPlayer(engine);
    PrintCost("DigitalCdDrive", e, run);
    baselineBest.Take(b);
    engineBest.Take(e);
  }
  if (baselineBest.process <= 0 || engineBest.process < 0) {
    printf("cpu    no figure: a player failed (a sound server runs? see above)\n");
    return false;
  }
  const double own = engineBest.process / baselineBest.process;
  const double both = engineBest.total / baselineBest.total;
  const bool ok = own <= kCpuBar && both <= kCpuBar;
  printf("cpu    %d s, best of %d: the process alone %.0f ms against %.0f ms, %.2fx; with the wineserver %.0f ms against"
         " %.0f ms, %.2fx (bar %.1fx) %s\n",
         seconds, runs, engineBest.process, baselineBest.process, own, engineBest.total, baselineBest.total, both, kCpuBar,
         ok ? "ok" : "MISSED");
  return ok;
}

// The recording of the sink's monitor as it grows: raw 16-bit stereo frames.
class Recording {
 public:
  explicit Recording(const char* path)
      : file_(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, 0, nullptr)) {}
  bool ok() const { return static_cast<bool>(file_); }
  // Frames recorded so far.
  uint64_t Frames() {
    LARGE_INTEGER size = {};
    GetFileSizeEx(file_.get(), &size);
    return static_cast<uint64_t>(size.QuadPart) / 4;
  }
  // Frames [from, the end so far).
  std::vector<uint32_t> Read(uint64_t from) {
    std::vector<uint32_t> frames;
    uint64_t end = Frames();
    if (end <= from) return frames;
    frames.resize(static_cast<size_t>(end - from));
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(from * 4);
    DWORD got = 0;
    SetFilePointerEx(file_.get(), at, nullptr, FILE_BEGIN);
    ReadFile(file_.get(), frames.data(), static_cast<DWORD>(frames.size() * 4), &got, nullptr);
    frames.resize(got / 4);
    return frames;
  }
  // Waits until the last 300 ms recorded are all silence: the sound of the
  // last play has been heard to its end.
  bool WaitQuiet() {
    const uint64_t quiet = 300 * 44100 / 1000;
    for (double start = play_cost::NowMs(); play_cost::NowMs() - start < 5000; Sleep(20)) {
      uint64_t end = Frames();
      if (end < quiet) continue;
      std::vector<uint32_t> last = Read(end - quiet);
      if (std::all_of(last.begin(), last.end(), [](uint32_t f) { return f == 0; })) return true;
    }
    return false;
  }

 private:
  unique_hfile file_;
};

struct StartTime {
  double soundMs = -1, clockMs = -1;
};

// Plays from `from` and waits for its first sound: when the first frame
// that is not silence showed in the recording (parec's own latency, about
// 20 ms, included), and when the drive's position first moved.
StartTime TimeStart(ImageDrive* s, Recording* recording, DWORD from, double since) {
  StartTime t;
  const uint64_t at = recording->Frames();
  if (!s->drive.Play(from, 0)) return t;
  for (; play_cost::NowMs() - since < 3000 && (t.soundMs < 0 || t.clockMs < 0); Sleep(1)) {
    s->Pump();
    DWORD position = 0;
    if (t.clockMs < 0 && s->drive.ReadPosition(&position) && position != from) t.clockMs = play_cost::NowMs() - since;
    if (t.soundMs >= 0) continue;
    std::vector<uint32_t> recorded = recording->Read(at);
    if (std::any_of(recorded.begin(), recorded.end(), [](uint32_t f) { return f != 0; }))
      t.soundMs = play_cost::NowMs() - since;
  }
  return t;
}

bool Start(const ToneImage& image, Recording* recording) {
  // Opening the image and the output comes before a play "at once" from
  // the command line: timed too, for the record, but the bar is Play's.
  if (!recording->WaitQuiet()) return false;
  double since = play_cost::NowMs();
  ImageSectorSource* source = OpenImage(image.cue);
  if (!source) return false;
  ImageDrive s(source);
  if (!s.Open() || FAILED(s.opener.result_)) {
    printf("start  no WASAPI output\n");
    return false;
  }
  StartTime first = TimeStart(&s, recording, MakeTmsf(1, 0, 0, 0), since);
  s.drive.Stop();
  printf("start  opening the image, then Play     sound after %5.1f ms, the position moved after %5.1f ms\n",
         first.soundMs, first.clockMs);
  const DWORD places[] = {MakeTmsf(2, 0, 0, 0), MakeTmsf(1, 0, 3, 0), MakeTmsf(2, 0, 2, 0), MakeTmsf(1, 0, 1, 0),
                          MakeTmsf(2, 0, 4, 0)};
  double worst = 0;
  bool all = true;
  for (DWORD place : places) {
    if (!recording->WaitQuiet()) return false;
    StartTime t = TimeStart(&s, recording, place, play_cost::NowMs());
    s.drive.Stop();
    printf("start  Play at track %d %02d:%02d            sound after %5.1f ms, the position moved after %5.1f ms\n",
           TmsfTrack(place), TmsfMinutes(place), TmsfSeconds(place), t.soundMs, t.clockMs);
    all = all && t.soundMs >= 0;
    worst = std::max(worst, t.soundMs);
  }
  const bool ok = all && worst <= kStartBarMs;
  printf("start  Play to sound, worst of %d plays on the open drive: %.1f ms (bar %.0f ms) %s\n", static_cast<int>(sizeof places / sizeof *places),
         worst, kStartBarMs, ok ? "ok" : "MISSED");
  return ok;
}

// A play across the gapless boundary between the two tracks, recorded,
// against the image's own samples.
bool Boundary(const ToneImage& image, Recording* recording, int seconds) {
  ImageSectorSource* source = OpenImage(image.cue);
  if (!source) return false;
  ImageDrive s(source);
  if (!s.Open() || FAILED(s.opener.result_) || !recording->WaitQuiet()) return false;
  const int half = seconds * kSectorsPerSecond / 2;
  const int fromSector = image.trackSectors - half, toSector = image.trackSectors + half;
  const uint64_t at = recording->Frames();
  if (!s.drive.Play(TmsfAtSector(image.trackSectors, fromSector), TmsfAtSector(image.trackSectors, toSector)))
    return false;
  const size_t from = static_cast<size_t>(fromSector) * kRawSectorBytes;
  std::vector<uint32_t> expected(static_cast<size_t>(toSector - fromSector) * kSamplesPerSector);
  memcpy(expected.data(), &image.pcm[from], expected.size() * 4);
  while (!s.listener.ended_) {
    s.Pump();
    s.drive.Refresh();
    Sleep(20);
  }
  recording->WaitQuiet();
  const HeardSound sound = Heard(recording->Read(at));
  const std::vector<uint32_t>& heard = sound.frames;
  size_t same = 0;
  while (same < heard.size() && same < expected.size() && heard[same] == expected[same]) ++same;
  const bool exact = same == expected.size() && heard.size() == expected.size();
  const long long boundary = static_cast<long long>(half) * kSamplesPerSector;
  printf("track  %d s across the boundary of tracks 1 and 2: %llu frames expected, %llu heard after removing %d runs of"
         " all-zero frames (%llu frames); ",
         seconds, static_cast<unsigned long long>(expected.size()), static_cast<unsigned long long>(heard.size()),
         sound.silentRuns, static_cast<unsigned long long>(sound.silentFrames));
  if (exact) {
    printf("sample-exact, lost 0 (bar 0) ok\n");
  } else {
    printf("first difference at frame %llu (%+lld from the boundary), %lld frames short: MISSED\n",
           static_cast<unsigned long long>(same),
           static_cast<long long>(same) - boundary, static_cast<long long>(expected.size()) - static_cast<long long>(heard.size()));
  }
  return exact;
}

bool WaitForSteadyHeap() {
  long long last = -1;
  for (int i = 0; i < 100; ++i, Sleep(20)) {
    long long now = liveBytes.load();
    if (now == last) return true;
    last = now;
  }
  return false;
}

bool Ring(const ToneImage& image) {
  ToneSectorSource tones(std::vector<ToneTrack>{{150}});
  CriticalSection lock;
  long long readerBytes, ringBlock;
  {
    SectorReader reader(&tones, &lock);
    const long long before = liveBytes.load();
    largestBlock = 0;
    if (!reader.Start()) return false;
    ringBlock = largestBlock.load();  // Start's own allocation, before its thread's
    WaitForSteadyHeap();
    readerBytes = liveBytes.load() - before;
  }
  // The whole drive while it plays: the reader, the render thread's buffer,
  // the image's tables; Wine's audio stack allocates outside the count.
  const long long beforeDrive = liveBytes.load();
  long long driveBytes;
  const char* output;
  {
    ImageSectorSource* source = OpenImage(image.cue);
    if (!source) return false;
    ImageDrive s(source);
    if (!s.Open() || !s.drive.Play(MakeTmsf(1, 0, 0, 0), 0)) return false;
    Sleep(300);
    WaitForSteadyHeap();
    driveBytes = liveBytes.load() - beforeDrive;
    output = SUCCEEDED(s.opener.result_) ? "WASAPI" : "the silent clock";
  }
  const bool ok = readerBytes <= kRingBarBytes;
  printf("ring   the ring (SectorReader::Start's block) %lld bytes; the reader in all (ring and read buffers) %lld bytes"
         " (bar %lld) %s\n",
         ringBlock, readerBytes, kRingBarBytes, ok ? "ok" : "MISSED");
  printf("ring   the drive playing an image on %s: %lld bytes of its own heap in all\n", output, driveBytes);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && strcmp(argv[1], "--drive") == 0) return PlayDrive(argv[2], atoi(argv[3]), atoi(argv[4]));
  const int seconds = argc > 1 ? std::max(4, atoi(argv[1])) : 20;
  const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 3;
  ScratchFolder folder;
  // Long enough for the CPU play from the start and for the boundary play.
  const ToneImage image = WriteToneImage(folder, (seconds / 2 + 5) * kSectorsPerSecond);
  bool ok = Ring(image);
  const char* recordingPath = getenv("ZANTO_RECORDING");
  if (!recordingPath) {
    printf("cpu, start, track: skipped, no recording of a sound server (run bench/audio_bench.sh)\n");
    return ok ? 0 : 1;
  }
  Recording recording(recordingPath);
  if (!recording.ok()) {
    printf("audio_bench: cannot read the recording %s\n", recordingPath);
    return 1;
  }
  ok = Cpu(image, seconds, runs) && ok;
  ok = Start(image, &recording) && ok;
  ok = Boundary(image, &recording, 4) && ok;
  return ok ? 0 : 1;
}
