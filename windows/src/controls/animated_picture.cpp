// AnimatedPicture: a picture static showing a picture from the program's resources. A GIF of
// more than one frame is split by the GIF block walk; each frame, cut out as a stand-alone GIF,
// is decoded by the platform's picture decoder (OleLoadPicture) and drawn in turn by a worker
// thread into an off-screen image, which the paint handler copies to the screen.
#include <ole2.h>
#include <olectl.h>
#include <process.h>

#include <cstring>
#include <memory>
#include <span>

#include "control_hook.h"
#include "controls/gif_walk.h"
#include "win/controls.h"

namespace nv::win {

namespace {

constexpr DWORD kStopJoinLimitMs = 5000;

struct Picture {
  IPicture* picture = nullptr;
  int width = 0;  // pixels
  int height = 0;
};

// The platform's decoder over a copy of the bytes (the stream owns its memory block).
Picture Decode(std::span<const uint8_t> bytes, HWND window) {
  Picture decoded;
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_NODISCARD, bytes.size());
  if (block == nullptr) return decoded;
  void* target = GlobalLock(block);
  if (target == nullptr) {
    GlobalFree(block);
    return decoded;
  }
  std::memcpy(target, bytes.data(), bytes.size());
  GlobalUnlock(block);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
    GlobalFree(block);
    return decoded;
  }
  void* object = nullptr;
  const HRESULT loaded =
      OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture, &object);
  stream->Release();
  if (FAILED(loaded) || object == nullptr) return decoded;
  decoded.picture = static_cast<IPicture*>(object);
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  decoded.picture->get_Width(&width);
  decoded.picture->get_Height(&height);
  const HDC screen = GetDC(window);
  decoded.width = MulDiv(width, GetDeviceCaps(screen, LOGPIXELSX), 2540);
  decoded.height = MulDiv(height, GetDeviceCaps(screen, LOGPIXELSY), 2540);
  ReleaseDC(window, screen);
  return decoded;
}

// Renders the part (x, y, w, h) of the picture upright at the same place; a picture of just
// that size is drawn whole.
bool Render(const Picture& p, HDC dc, int x, int y, int w, int h) {
  if (p.picture == nullptr || p.width <= 0 || p.height <= 0) return false;
  OLE_XSIZE_HIMETRIC hw = 0;
  OLE_YSIZE_HIMETRIC hh = 0;
  p.picture->get_Width(&hw);
  p.picture->get_Height(&hh);
  if (p.width == w && p.height == h) {
    return SUCCEEDED(p.picture->Render(dc, x, y, w, h, 0, hh, hw, -hh, nullptr));
  }
  const LONG left = MulDiv(x, hw, p.width);
  const LONG top = hh - MulDiv(y, hh, p.height);
  return SUCCEEDED(p.picture->Render(dc, x, y, w, h, left, top, MulDiv(w, hw, p.width),
                                     -MulDiv(h, hh, p.height), nullptr));
}

void Release(Picture& p) {
  if (p.picture != nullptr) p.picture->Release();
  p = {};
}

// COM for the decoder, for the length of one load.
class ComScope {
 public:
  ComScope() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (ok_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool ok_;
};

class Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
  ~Lock() { LeaveCriticalSection(&section_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

}  // namespace

struct AnimatedPicture::State : detail::ControlHook {
  struct Frame {
    Picture picture;
    GifFrame place;
  };

  State() {
    InitializeCriticalSection(&imageLock);
    stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
  ~State() override;

  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  bool Load(std::span<const uint8_t> data);
  bool LoadFrames(std::span<const uint8_t> data, const GifWalk& walk);
  bool Prepare(int w, int h);
  bool Draw();
  void Stop();
  void Unload();
  bool Animated() const { return isGif && frames.size() > 1; }
  void Paint(HDC dc);
  static unsigned __stdcall Run(void* self);
  void Animate();
  bool Stopping() const { return InterlockedCompareExchange(&stopRequest, 0, 0) != 0; }
  void RenderFrame(const Frame& frame);
  void Dispose(const Frame& frame);
  void Clear(const RECT& area) { detail::FillSolid(image->dc(), area, background); }

  int width = 0;
  int height = 0;
  COLORREF background = 0;
  size_t current = 0;  // the worker's while it runs
  bool isGif = false;
  bool ready = false;
  mutable LONG stopRequest = 0;
  HANDLE stopEvent = nullptr;
  HANDLE worker = nullptr;
  Picture single;
  std::vector<Frame> frames;
  CRITICAL_SECTION imageLock;  // the worker draws, the paint handler copies
  std::unique_ptr<detail::Canvas> image;
  std::unique_ptr<detail::Canvas> saved;  // the area under a frame whose disposal is 3
};

AnimatedPicture::State::~State() {
  Unload();
  Unhook();
  if (stopEvent != nullptr) CloseHandle(stopEvent);
  DeleteCriticalSection(&imageLock);
}

bool AnimatedPicture::State::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  switch (message) {
    case WM_PAINT: {
      if (!ready) return false;
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(window(), &paint);
      if (dc != nullptr) Paint(dc);
      EndPaint(window(), &paint);
      *result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      if (!ready) return false;
      Paint(reinterpret_cast<HDC>(wParam));
      *result = 0;
      return true;
    case WM_ERASEBKGND:
      if (!ready) return false;
      *result = 1;
      return true;
    case WM_DESTROY:
      Stop();
      return false;
    default:
      return false;
  }
}

void AnimatedPicture::State::Paint(HDC dc) {
  const Lock lock(imageLock);
  image->CopyTo(dc, 0, 0, width, height);
}

bool AnimatedPicture::State::Load(std::span<const uint8_t> data) {
  Unload();
  if (window() == nullptr || data.empty()) return false;
  const ComScope com;
  const GifWalk walk = WalkGif(data);
  if (!walk.isGif || walk.frames.size() == 1) {
    // Any other picture, and a GIF of one frame, goes to the decoder whole.
    isGif = walk.isGif;
    single = Decode(data, window());
    if (single.picture == nullptr) return false;
    return walk.isGif ? Prepare(walk.width, walk.height) : Prepare(single.width, single.height);
  }
  isGif = true;
  return LoadFrames(data, walk) && Prepare(walk.width, walk.height);
}

bool AnimatedPicture::State::LoadFrames(std::span<const uint8_t> data, const GifWalk& walk) {
  for (const GifFrame& place : walk.frames) {
    const std::vector<uint8_t> alone = ExtractGifFrame(data, walk, place);
    if (alone.empty()) continue;
    Frame frame{Decode(alone, window()), place};
    if (frame.picture.picture == nullptr) continue;  // a frame that does not decode is left out
    if (place.plainText) frame.place.width = frame.place.height = 0;
    frames.push_back(frame);
  }
  return !frames.empty();
}

// Sizes the window to the picture and makes its off-screen image.
bool AnimatedPicture::State::Prepare(int w, int h) {
  if (w <= 0 || h <= 0) return false;
  SetWindowPos(window(), nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HDC screen = GetDC(window());
  auto made = std::make_unique<detail::Canvas>(screen, w, h);
  ReleaseDC(window(), screen);
  if (!made->ok()) return false;
  width = w;
  height = h;
  background = GetSysColor(COLOR_BTNFACE);
  detail::FillSolid(made->dc(), {0, 0, w, h}, GetSysColor(COLOR_MENU));
  {
    const Lock lock(imageLock);
    image = std::move(made);
  }
  ready = true;
  return true;
}

bool AnimatedPicture::State::Draw() {
  if (!ready || worker != nullptr) return false;
  if (Animated()) {
    unsigned id = 0;
    const uintptr_t started = _beginthreadex(nullptr, 0, &Run, this, CREATE_SUSPENDED, &id);
    if (started == 0) return false;
    worker = reinterpret_cast<HANDLE>(started);
    ResumeThread(worker);
    return false;
  }
  bool drawn = false;
  {
    const Lock lock(imageLock);
    if (frames.size() == 1) {  // the only frame of several that decoded
      const GifFrame& f = frames.front().place;
      drawn = Render(frames.front().picture, image->dc(), f.left, f.top, f.width, f.height);
    } else {
      drawn = Render(single, image->dc(), 0, 0, width, height);
    }
  }
  if (drawn) InvalidateRect(window(), nullptr, FALSE);
  return drawn;
}

unsigned __stdcall AnimatedPicture::State::Run(void* self) {
  static_cast<State*>(self)->Animate();
  return 0;
}

void AnimatedPicture::State::Animate() {
  Dispose(frames[current]);
  while (!Stopping()) {
    const Frame& frame = frames[current];
    RenderFrame(frame);
    if (Stopping()) break;
    WaitForSingleObject(stopEvent, GifFrameWaitMs(frame.place.delay));
    if (Stopping()) break;
    Dispose(frame);
    if (++current >= frames.size()) {
      current = 0;  // the frames start over on a cleared picture
      const Lock lock(imageLock);
      Clear({0, 0, width, height});
    }
  }
}

void AnimatedPicture::State::RenderFrame(const Frame& frame) {
  const GifFrame& f = frame.place;
  bool drawn = false;
  {
    const Lock lock(imageLock);
    if (f.disposal == 3) {
      const HDC screen = GetDC(nullptr);
      saved = std::make_unique<detail::Canvas>(screen, f.width, f.height);
      ReleaseDC(nullptr, screen);
      if (saved->ok()) {
        BitBlt(saved->dc(), 0, 0, f.width, f.height, image->dc(), f.left, f.top, SRCCOPY);
      }
    }
    drawn = Render(frame.picture, image->dc(), f.left, f.top, f.width, f.height);
  }
  if (drawn) InvalidateRect(window(), nullptr, FALSE);
}

void AnimatedPicture::State::Dispose(const Frame& frame) {
  const GifFrame& f = frame.place;
  const Lock lock(imageLock);
  if (f.disposal == 2) {
    Clear({f.left, f.top, f.left + f.width, f.top + f.height});
  } else if (f.disposal == 3 && saved && saved->ok()) {
    BitBlt(image->dc(), f.left, f.top, f.width, f.height, saved->dc(), 0, 0, SRCCOPY);
    saved.reset();
  }
}

void AnimatedPicture::State::Stop() {
  if (worker == nullptr) return;
  InterlockedExchange(&stopRequest, 1);
  SetEvent(stopEvent);  // ends a frame's wait at once
  if (WaitForSingleObject(worker, kStopJoinLimitMs) == WAIT_TIMEOUT) {
    // Its only wait has been signalled, so it is drawing; leaving it running would let it
    // draw into pictures that are about to go, so wait on.
    OutputDebugStringA("wlanmon: the animation did not stop in time; waiting for it\n");
    WaitForSingleObject(worker, INFINITE);
  }
  CloseHandle(worker);
  worker = nullptr;
  ResetEvent(stopEvent);
  InterlockedExchange(&stopRequest, 0);
}

void AnimatedPicture::State::Unload() {
  Stop();
  for (Frame& frame : frames) Release(frame.picture);
  frames.clear();
  Release(single);
  {
    const Lock lock(imageLock);
    image.reset();
    saved.reset();
  }
  width = height = 0;
  current = 0;
  isGif = ready = false;
}

AnimatedPicture::AnimatedPicture() : state_(new State) {}
AnimatedPicture::~AnimatedPicture() { delete state_; }

bool AnimatedPicture::Attach(HWND dialog, int id) {
  state_->Unload();
  return state_->Hook(dialog, id, &hwnd_);
}

bool AnimatedPicture::LoadFromResource(int id, const char* type) {
  const HMODULE module = GetModuleHandleA(nullptr);
  const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;
  return Load(bytes, SizeofResource(module, found));
}

bool AnimatedPicture::Load(const void* data, size_t size) {
  return state_->Load({static_cast<const uint8_t*>(data), size});
}

bool AnimatedPicture::Draw() { return state_->Draw(); }
void AnimatedPicture::Stop() { state_->Stop(); }
void AnimatedPicture::Unload() { state_->Unload(); }
bool AnimatedPicture::IsAnimated() const { return state_->Animated(); }
size_t AnimatedPicture::FrameCount() const {
  return state_->Animated() ? state_->frames.size() : 0;
}

}  // namespace nv::win
