// The pictures the About box and the buttons show, read the way the program
// reads them: the animated logo through QMovie (135 x 125 pixels, 8 frames,
// 100 ms each, 999 repeats stored in the file), the badge and the glyphs
// through QImageReader.
//
// Qt takes a GIF's blocks as they come: it pulls a frame that overhangs the
// screen back onto it, carries a delay over to a frame without a graphic
// control block of its own, reads the repeat block wherever it stands and
// stops at the trailer. Other viewers do not, so the logo's block layout is
// walked here as well; the pixels are Qt's.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QMovie>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// Sizes and rectangles as a failure shows them.
static void PrintTo(const QSize& size, std::ostream* out) {
  *out << size.width() << " x " << size.height();
}
static void PrintTo(const QRect& rect, std::ostream* out) {
  *out << rect.width() << " x " << rect.height() << " at " << rect.x() << ", " << rect.y();
}

namespace {

const QString assets_dir = QStringLiteral(VELMARIC_ASSETS_DIR);

// QMovie hands out pixmaps, which need an application object; the pictures
// need no screen.
class Gui_Environment : public ::testing::Environment {
 public:
  void SetUp() override { application_ = std::make_unique<QGuiApplication>(argc_, argv_); }
  void TearDown() override { application_.reset(); }

 private:
  char name_[15] = "gif_logo_tests";
  char option_[10] = "-platform";
  char platform_[10] = "offscreen";
  char* argv_[4] = {name_, option_, platform_, nullptr};
  int argc_ = 3;
  std::unique_ptr<QGuiApplication> application_;
};
[[maybe_unused]] ::testing::Environment* const gui_environment =
    ::testing::AddGlobalTestEnvironment(new Gui_Environment);

QByteArray Read_File(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw std::runtime_error("cannot open " + path.toStdString());
  return file.readAll();
}

// Every picture the reader decodes from the bytes, in order.
std::vector<QImage> Decoded_Frames(QByteArray bytes, int& loop_count, std::vector<int>& delays_ms) {
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  std::vector<QImage> frames;
  for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read()) {
    frames.push_back(frame);
    delays_ms.push_back(reader.nextImageDelay());
  }
  loop_count = reader.loopCount();
  return frames;
}

// --------------------------------------------------------- the block layout

// Reads forward through the bytes; running past their end is an error.
class Cursor {
 public:
  explicit Cursor(const QByteArray& bytes) : bytes_(bytes) {}
  std::uint8_t Byte() {
    if (at_ >= bytes_.size()) throw std::runtime_error("GIF cut short");
    return static_cast<std::uint8_t>(bytes_[at_++]);
  }
  int Little_Endian_16() {
    const int low = Byte();
    return low | (Byte() << 8);
  }
  void Skip(qsizetype count) {
    for (qsizetype i = 0; i < count; ++i) Byte();
  }
  // A chain of data sub-blocks up to its zero-length terminator, joined.
  QByteArray Sub_Blocks() {
    QByteArray data;
    for (std::uint8_t size = Byte(); size != 0; size = Byte()) {
      for (int i = 0; i < size; ++i) data.append(static_cast<char>(Byte()));
    }
    return data;
  }
  qsizetype Remaining() const { return bytes_.size() - at_; }

 private:
  const QByteArray& bytes_;
  qsizetype at_ = 0;
};

struct Gif_Layout {
  QRect screen;
  std::vector<QRect> frames;
  std::vector<bool> frame_has_own_control;  // a graphic control block since the last frame
  int control_blocks = 0;
  int repeat_blocks = 0;  // NETSCAPE2.0 application blocks
  bool repeat_before_first_frame = false;
  qsizetype bytes_after_trailer = 0;
};

qsizetype Colour_Table_Bytes(std::uint8_t packed) {
  return (packed & 0x80) ? 3 * (2 << (packed & 0x07)) : 0;
}

Gif_Layout Read_Layout(const QByteArray& bytes) {
  Cursor in(bytes);
  if (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a")) {
    throw std::runtime_error("not a GIF");
  }
  in.Skip(6);
  Gif_Layout gif;
  const int screen_width = in.Little_Endian_16();
  gif.screen = QRect(0, 0, screen_width, in.Little_Endian_16());
  const std::uint8_t screen_flags = in.Byte();
  in.Skip(2);  // background colour index, pixel aspect ratio
  in.Skip(Colour_Table_Bytes(screen_flags));

  bool pending_control = false;
  for (;;) {
    const std::uint8_t introducer = in.Byte();
    if (introducer == 0x3B) break;  // trailer
    if (introducer == 0x21) {
      const std::uint8_t label = in.Byte();
      const QByteArray block = in.Sub_Blocks();
      if (label == 0xF9) {
        ++gif.control_blocks;
        pending_control = true;
      } else if (label == 0xFF && block.startsWith("NETSCAPE2.0")) {
        ++gif.repeat_blocks;
        gif.repeat_before_first_frame = gif.frames.empty();
      }
    } else if (introducer == 0x2C) {
      const int left = in.Little_Endian_16();
      const int top = in.Little_Endian_16();
      const int width = in.Little_Endian_16();
      gif.frames.emplace_back(left, top, width, in.Little_Endian_16());
      gif.frame_has_own_control.push_back(pending_control);
      pending_control = false;
      in.Skip(Colour_Table_Bytes(in.Byte()));
      in.Byte();  // LZW minimum code size
      in.Sub_Blocks();
    } else {
      throw std::runtime_error("unknown block " + std::to_string(introducer));
    }
  }
  gif.bytes_after_trailer = in.Remaining();
  return gif;
}

// A 1 x 1 GIF89a with one frame: global table of 2 colours, a NETSCAPE block
// with the given loop count, a graphic control extension with the given delay.
QByteArray Tiny_Gif(int loop_count, int delay) {
  const auto byte = [](int value) { return static_cast<char>(value & 0xFF); };
  QByteArray gif("GIF89a");
  for (const int value : {1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255}) gif.append(byte(value));
  gif.append("\x21\xFF\x0BNETSCAPE2.0\x03\x01", 16);
  for (const int value : {loop_count, loop_count >> 8, 0}) gif.append(byte(value));
  for (const int value : {0x21, 0xF9, 4, 0, delay, delay >> 8, 0, 0}) gif.append(byte(value));
  for (const int value : {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0, 0x3B}) {
    gif.append(byte(value));
  }
  return gif;
}

TEST(Gif_Layout_Reader, Reads_The_Blocks_Of_A_Known_File) {
  const Gif_Layout gif = Read_Layout(Tiny_Gif(0x1234, 0x0203));
  EXPECT_EQ(gif.screen, QRect(0, 0, 1, 1));
  ASSERT_EQ(gif.frames.size(), 1u);
  EXPECT_EQ(gif.frames[0], QRect(0, 0, 1, 1));
  EXPECT_TRUE(gif.frame_has_own_control[0]);
  EXPECT_EQ(gif.repeat_blocks, 1);
  EXPECT_TRUE(gif.repeat_before_first_frame);
  EXPECT_EQ(gif.bytes_after_trailer, 0);
}

// The logo's repeat count and delays are Qt's readings: they must be the
// numbers the file stores.
TEST(Gif_Layout_Reader, Qt_Reads_The_Stored_Repeat_Count_And_Delay_Of_A_Known_File) {
  int loop_count = 0;
  std::vector<int> delays_ms;
  const std::vector<QImage> frames =
      Decoded_Frames(Tiny_Gif(0x1234, 0x0203), loop_count, delays_ms);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(delays_ms[0], 0x0203 * 10);
  EXPECT_EQ(loop_count, 0x1234);
}

TEST(Gif_Layout_Reader, Refuses_A_Cut_Short_File_At_Every_Length) {
  const QByteArray whole = Tiny_Gif(999, 10);
  for (qsizetype length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_THROW(Read_Layout(whole.left(length)), std::runtime_error);
  }
}

TEST(Gif_Layout_Reader, Refuses_A_File_That_Is_No_Gif) {
  QByteArray png_like = Tiny_Gif(999, 10);
  png_like[0] = '\x89';
  EXPECT_THROW(Read_Layout(png_like), std::runtime_error);
}

// ------------------------------------------------------------------ the logo

const QString logo_file = assets_dir + QStringLiteral("/velmaric-logo.gif");

class Velmaric_Logo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    bytes = Read_File(logo_file);
    layout = Read_Layout(bytes);
    frames = Decoded_Frames(bytes, loop_count, delays_ms);
  }
  static void TearDownTestSuite() { frames.clear(); }

  static QByteArray bytes;
  static Gif_Layout layout;
  static std::vector<QImage> frames;
  static std::vector<int> delays_ms;
  static int loop_count;
};
QByteArray Velmaric_Logo::bytes;
Gif_Layout Velmaric_Logo::layout;
std::vector<QImage> Velmaric_Logo::frames;
std::vector<int> Velmaric_Logo::delays_ms;
int Velmaric_Logo::loop_count = 0;

TEST_F(Velmaric_Logo, Is_A_Gif89a_Because_Delays_And_Repeats_Need_Extensions) {
  EXPECT_TRUE(bytes.startsWith("GIF89a"));
  EXPECT_EQ(QImageReader(logo_file).format().toStdString(), "gif");
}

TEST_F(Velmaric_Logo, Has_A_Logical_Screen_Of_135_By_125_Pixels) {
  EXPECT_EQ(layout.screen, QRect(0, 0, 135, 125));
  EXPECT_EQ(QImageReader(logo_file).size(), QSize(135, 125));
  for (std::size_t i = 0; i < frames.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    EXPECT_EQ(frames[i].size(), QSize(135, 125));
  }
}

TEST_F(Velmaric_Logo, Has_Eight_Frames_That_All_Decode) {
  EXPECT_EQ(layout.frames.size(), 8u);
  EXPECT_EQ(frames.size(), 8u);
  QMovie movie(logo_file);
  ASSERT_TRUE(movie.isValid());
  EXPECT_EQ(movie.frameCount(), 8);
  for (int i = 0; i < movie.frameCount(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    ASSERT_TRUE(movie.jumpToFrame(i));
    EXPECT_EQ(movie.currentImage(), frames.at(static_cast<std::size_t>(i)));
  }
}

// The delay QMovie plays comes from the reader; QMovie's own figure is what
// is left of it after the frame was decoded.
TEST_F(Velmaric_Logo, Holds_Every_Frame_For_Ten_Hundredths_Of_A_Second) {
  EXPECT_EQ(layout.control_blocks, 8);
  for (std::size_t i = 0; i < layout.frames.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    EXPECT_TRUE(layout.frame_has_own_control[i]);
  }
  ASSERT_EQ(delays_ms.size(), 8u);
  for (std::size_t i = 0; i < delays_ms.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    EXPECT_EQ(delays_ms[i], 100);
  }
}

TEST_F(Velmaric_Logo, Stores_A_Repeat_Count_Of_999_Before_The_First_Frame) {
  EXPECT_EQ(layout.repeat_blocks, 1);
  EXPECT_TRUE(layout.repeat_before_first_frame);
  EXPECT_EQ(loop_count, 999);
  EXPECT_EQ(QMovie(logo_file).loopCount(), 999);
}

TEST_F(Velmaric_Logo, Draws_Every_Frame_Inside_The_Screen) {
  for (std::size_t i = 0; i < layout.frames.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    EXPECT_FALSE(layout.frames[i].isEmpty());
    EXPECT_TRUE(layout.screen.contains(layout.frames[i]));
  }
}

TEST_F(Velmaric_Logo, Moves_The_Hand_In_Every_Frame) {
  for (std::size_t i = 0; i < frames.size(); ++i) {
    for (std::size_t j = i + 1; j < frames.size(); ++j) {
      EXPECT_NE(frames[i], frames[j]) << "frames " << i << " and " << j;
    }
  }
}

TEST_F(Velmaric_Logo, Ends_With_The_Trailer) {
  EXPECT_EQ(layout.bytes_after_trailer, 0);
}

// ------------------------------------------------------- the other pictures

// The picture and the format its bytes say, whatever the file is called.
QImage Read_Picture(const QString& path, std::string& format) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  format = reader.format().toStdString();
  return reader.read();
}

TEST(Asset_Pictures, The_Badge_Is_A_149_By_41_Bitmap) {
  const QString path = assets_dir + QStringLiteral("/made-in-logo.bmp");
  std::string format;
  EXPECT_EQ(Read_Picture(path, format).size(), QSize(149, 41));
  EXPECT_EQ(format, "bmp");
  // Qt ignores the file size the header states; other readers trust it.
  const QByteArray bmp = Read_File(path);
  ASSERT_GE(bmp.size(), 6);
  const auto byte = [&bmp](int at) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bmp[at]));
  };
  EXPECT_EQ(byte(2) | byte(3) << 8 | byte(4) << 16 | byte(5) << 24,
            static_cast<std::uint32_t>(bmp.size()));
}

TEST(Asset_Pictures, Every_Button_Glyph_Is_A_24_By_24_Png) {
  for (const char* name :
       {"start-stop", "reset", "exit", "select-log", "snapshot-start", "snapshot-resume"}) {
    SCOPED_TRACE(name);
    std::string format;
    EXPECT_EQ(Read_Picture(assets_dir + "/glyph-" + name + ".png", format).size(), QSize(24, 24));
    EXPECT_EQ(format, "png");
  }
}

TEST(Asset_Pictures, The_Two_Snapshot_Glyphs_Differ) {
  std::string format;
  const QImage start = Read_Picture(assets_dir + "/glyph-snapshot-start.png", format);
  ASSERT_FALSE(start.isNull());
  EXPECT_NE(start, Read_Picture(assets_dir + "/glyph-snapshot-resume.png", format));
}

}  // namespace
