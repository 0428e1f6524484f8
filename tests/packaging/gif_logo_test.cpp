// The About box's animated logo is read byte by byte, the way a GIF decoder
// walks it: the logical screen, every image descriptor, every graphic control
// extension and the NETSCAPE2.0 repeat block. The About box relies on all of
// them (135 x 125 pixels, 8 frames, 100 ms each, 999 repeats stored in the
// file). The other bitmaps the program ships are checked for their sizes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string assets_dir = VELMARIC_ASSETS_DIR;

Bytes Read_File(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads forward through a byte buffer; running past its end is an error.
class Cursor {
 public:
  explicit Cursor(const Bytes& bytes) : bytes_(bytes) {}
  std::uint8_t Byte() {
    if (at_ >= bytes_.size()) throw std::runtime_error("GIF cut short");
    return bytes_[at_++];
  }
  int Little_Endian_16() {
    const int low = Byte();
    return low | (Byte() << 8);
  }
  std::string Text(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += static_cast<char>(Byte());
    return text;
  }
  void Skip(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) Byte();
  }
  // A chain of data sub-blocks up to its zero-length terminator, joined.
  Bytes Sub_Blocks() {
    Bytes data;
    for (std::uint8_t size = Byte(); size != 0; size = Byte()) {
      for (int i = 0; i < size; ++i) data.push_back(Byte());
    }
    return data;
  }
  std::size_t Remaining() const { return bytes_.size() - at_; }

 private:
  const Bytes& bytes_;
  std::size_t at_ = 0;
};

struct Gif_Frame {
  int left = 0, top = 0, width = 0, height = 0;
  int delay_centiseconds = -1;  // -1: no graphic control extension before it
  Bytes image_data;             // the LZW sub-blocks, joined
};

struct Gif_File {
  std::string signature;
  int screen_width = 0, screen_height = 0;
  std::vector<Gif_Frame> frames;
  int graphic_control_blocks = 0;
  int netscape_blocks = 0;
  int netscape_loop_count = -1;
  bool netscape_before_first_frame = false;
  std::size_t bytes_after_trailer = 0;
};

std::size_t Colour_Table_Bytes(std::uint8_t packed) {
  return (packed & 0x80) ? 3u * (2u << (packed & 0x07)) : 0u;
}

Gif_File Parse_Gif(const Bytes& bytes) {
  Cursor in(bytes);
  Gif_File gif;
  gif.signature = in.Text(6);
  if (gif.signature != "GIF87a" && gif.signature != "GIF89a") {
    throw std::runtime_error("not a GIF: " + gif.signature);
  }
  gif.screen_width = in.Little_Endian_16();
  gif.screen_height = in.Little_Endian_16();
  const std::uint8_t screen_flags = in.Byte();
  in.Skip(2);  // background colour index, pixel aspect ratio
  in.Skip(Colour_Table_Bytes(screen_flags));

  int pending_delay = -1;
  for (;;) {
    const std::uint8_t introducer = in.Byte();
    if (introducer == 0x3B) break;  // trailer
    if (introducer == 0x21) {
      const std::uint8_t label = in.Byte();
      if (label == 0xF9) {
        ++gif.graphic_control_blocks;
        const Bytes block = in.Sub_Blocks();
        if (block.size() != 4) throw std::runtime_error("bad graphic control extension");
        pending_delay = block[1] | (block[2] << 8);
      } else if (label == 0xFF) {
        const Bytes block = in.Sub_Blocks();
        const std::string identifier(block.begin(),
                                     block.begin() + std::min<std::size_t>(11, block.size()));
        if (identifier == "NETSCAPE2.0") {
          if (block.size() != 11 + 3 || block[11] != 1) {
            throw std::runtime_error("bad NETSCAPE2.0 block");
          }
          ++gif.netscape_blocks;
          gif.netscape_loop_count = block[12] | (block[13] << 8);
          gif.netscape_before_first_frame = gif.frames.empty();
        }
      } else {
        in.Sub_Blocks();  // comment, plain text: not used
      }
    } else if (introducer == 0x2C) {
      Gif_Frame frame;
      frame.left = in.Little_Endian_16();
      frame.top = in.Little_Endian_16();
      frame.width = in.Little_Endian_16();
      frame.height = in.Little_Endian_16();
      const std::uint8_t image_flags = in.Byte();
      in.Skip(Colour_Table_Bytes(image_flags));
      in.Byte();  // LZW minimum code size
      frame.image_data = in.Sub_Blocks();
      frame.delay_centiseconds = pending_delay;
      pending_delay = -1;
      gif.frames.push_back(frame);
    } else {
      throw std::runtime_error("unknown block " + std::to_string(introducer));
    }
  }
  gif.bytes_after_trailer = in.Remaining();
  return gif;
}

// ---------------------------------------------------------------- the parser

// A 1 x 1 GIF89a with one frame: global table of 2 colours, a NETSCAPE block
// with the given loop count, a graphic control extension with the given delay.
Bytes Tiny_Gif(int loop_count, int delay) {
  const auto low = [](int value) { return static_cast<std::uint8_t>(value & 0xFF); };
  const auto high = [](int value) { return static_cast<std::uint8_t>(value >> 8); };
  const std::string header = "GIF89a";
  const std::string netscape = "NETSCAPE2.0";
  Bytes gif(header.begin(), header.end());
  const Bytes screen = {1, 0, 1, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255};
  gif.insert(gif.end(), screen.begin(), screen.end());
  gif.insert(gif.end(), {0x21, 0xFF, 11});
  gif.insert(gif.end(), netscape.begin(), netscape.end());
  gif.insert(gif.end(), {3, 1, low(loop_count), high(loop_count), 0});
  gif.insert(gif.end(), {0x21, 0xF9, 4, 0, low(delay), high(delay), 0, 0});
  gif.insert(gif.end(), {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0, 2, 2, 0x4C, 0x01, 0, 0x3B});
  return gif;
}

TEST(Gif_Parser, Reads_Screen_Frame_Delay_And_Loop_Count_Of_A_Known_File) {
  const Gif_File gif = Parse_Gif(Tiny_Gif(0x1234, 0x0203));
  EXPECT_EQ(gif.screen_width, 1);
  EXPECT_EQ(gif.screen_height, 1);
  ASSERT_EQ(gif.frames.size(), 1u);
  EXPECT_EQ(gif.frames[0].delay_centiseconds, 0x0203);
  EXPECT_EQ(gif.frames[0].image_data, (Bytes{0x4C, 0x01}));
  EXPECT_EQ(gif.netscape_loop_count, 0x1234);
  EXPECT_TRUE(gif.netscape_before_first_frame);
  EXPECT_EQ(gif.bytes_after_trailer, 0u);
}

TEST(Gif_Parser, Refuses_A_Cut_Short_File_At_Every_Length) {
  const Bytes whole = Tiny_Gif(999, 10);
  for (std::size_t length = 0; length < whole.size(); ++length) {
    SCOPED_TRACE(length);
    EXPECT_THROW(Parse_Gif(Bytes(whole.begin(), whole.begin() + length)), std::runtime_error);
  }
}

TEST(Gif_Parser, Refuses_A_File_That_Is_No_Gif) {
  Bytes png_like = Tiny_Gif(999, 10);
  png_like[0] = 0x89;
  EXPECT_THROW(Parse_Gif(png_like), std::runtime_error);
}

// ------------------------------------------------------------------ the logo

class Velmaric_Logo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { logo = Parse_Gif(Read_File(assets_dir + "/velmaric-logo.gif")); }
  static Gif_File logo;
};
Gif_File Velmaric_Logo::logo;

TEST_F(Velmaric_Logo, Is_A_Gif89a_Because_Delays_And_Repeats_Need_Extensions) {
  EXPECT_EQ(logo.signature, "GIF89a");
}

TEST_F(Velmaric_Logo, Has_A_Logical_Screen_Of_135_By_125_Pixels) {
  EXPECT_EQ(logo.screen_width, 135);
  EXPECT_EQ(logo.screen_height, 125);
}

TEST_F(Velmaric_Logo, Has_Eight_Frames) {
  EXPECT_EQ(logo.frames.size(), 8u);
}

TEST_F(Velmaric_Logo, Holds_Every_Frame_For_Ten_Hundredths_Of_A_Second) {
  EXPECT_EQ(logo.graphic_control_blocks, 8);
  for (std::size_t i = 0; i < logo.frames.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    EXPECT_EQ(logo.frames[i].delay_centiseconds, 10);
  }
}

TEST_F(Velmaric_Logo, Stores_A_Repeat_Count_Of_999_Before_The_First_Frame) {
  EXPECT_EQ(logo.netscape_blocks, 1);
  EXPECT_EQ(logo.netscape_loop_count, 999);
  EXPECT_TRUE(logo.netscape_before_first_frame);
}

TEST_F(Velmaric_Logo, Draws_Every_Frame_Inside_The_Screen) {
  for (std::size_t i = 0; i < logo.frames.size(); ++i) {
    SCOPED_TRACE("frame " + std::to_string(i));
    const Gif_Frame& frame = logo.frames[i];
    EXPECT_GT(frame.width, 0);
    EXPECT_GT(frame.height, 0);
    EXPECT_LE(frame.left + frame.width, logo.screen_width);
    EXPECT_LE(frame.top + frame.height, logo.screen_height);
  }
}

TEST_F(Velmaric_Logo, Moves_The_Hand_In_Every_Frame) {
  std::set<Bytes> distinct;
  for (const Gif_Frame& frame : logo.frames) distinct.insert(frame.image_data);
  EXPECT_EQ(distinct.size(), logo.frames.size());
}

TEST_F(Velmaric_Logo, Ends_With_The_Trailer) {
  EXPECT_EQ(logo.bytes_after_trailer, 0u);
}

// ------------------------------------------------------- the other pictures

int Little_Endian_32(const Bytes& bytes, std::size_t at) {
  if (bytes.size() < at + 4) throw std::runtime_error("file cut short");
  return static_cast<std::int32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                   (static_cast<std::uint32_t>(bytes[at + 3]) << 24));
}

int Big_Endian_32(const Bytes& bytes, std::size_t at) {
  if (bytes.size() < at + 4) throw std::runtime_error("file cut short");
  return static_cast<std::int32_t>((static_cast<std::uint32_t>(bytes[at]) << 24) |
                                   (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3]);
}

TEST(Asset_Pictures, The_Badge_Is_A_149_By_41_Bitmap) {
  const Bytes bmp = Read_File(assets_dir + "/made-in-logo.bmp");
  ASSERT_GE(bmp.size(), 26u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Little_Endian_32(bmp, 2), static_cast<int>(bmp.size()));
  EXPECT_EQ(Little_Endian_32(bmp, 18), 149);
  // Negative heights mean top-down rows; either way the picture is 41 high.
  EXPECT_EQ(std::abs(Little_Endian_32(bmp, 22)), 41);
}

TEST(Asset_Pictures, Every_Button_Glyph_Is_A_24_By_24_Png) {
  for (const char* name :
       {"start-stop", "reset", "exit", "select-log", "snapshot-start", "snapshot-resume"}) {
    SCOPED_TRACE(name);
    const Bytes png = Read_File(assets_dir + "/glyph-" + name + ".png");
    ASSERT_GE(png.size(), 24u);
    EXPECT_EQ(Bytes(png.begin(), png.begin() + 8),
              (Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(Big_Endian_32(png, 16), 24);
    EXPECT_EQ(Big_Endian_32(png, 20), 24);
  }
}

TEST(Asset_Pictures, The_Two_Snapshot_Glyphs_Differ) {
  EXPECT_NE(Read_File(assets_dir + "/glyph-snapshot-start.png"),
            Read_File(assets_dir + "/glyph-snapshot-resume.png"));
}

}  // namespace
