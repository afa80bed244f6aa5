// What the built program carries: manifest, icon group, version record, texts.
#include "ProgramFile.h"
#include "StringTable.h"
#include "XmlElements.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <regex>

namespace ostrafel::test {
namespace {

constexpr WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

class ProgramResourcesTest : public ::testing::Test {
  protected:
    ProgramResources FProgram{ProgramPath()};
};

// --- manifest -------------------------------------------------------------------

const XmlElement* FindElement(const std::vector<XmlElement>& elements, const std::wstring& path) {
    auto found = std::find_if(elements.begin(), elements.end(),
                              [&](const XmlElement& e) { return e.Path == path; });
    return found == elements.end() ? nullptr : &*found;
}

std::vector<const XmlElement*> FindElements(const std::vector<XmlElement>& elements,
                                            const std::wstring& path) {
    std::vector<const XmlElement*> found;
    for (const XmlElement& e : elements) {
        if (e.Path == path) {
            found.push_back(&e);
        }
    }
    return found;
}

TEST_F(ProgramResourcesTest, CarriesOneManifestInUsEnglish) {
    EXPECT_EQ(FProgram.Names(RT_MANIFEST), std::vector<std::wstring>{L"#1"});
    EXPECT_EQ(FProgram.Languages(RT_MANIFEST, MAKEINTRESOURCEW(1)), std::vector<WORD>{kUsEnglish});
}

TEST_F(ProgramResourcesTest, ManifestDeclaresDpiAwarenessStylesAndExecutionLevel) {
    auto manifest = FProgram.Find(RT_MANIFEST, MAKEINTRESOURCEW(1), kUsEnglish);
    ASSERT_FALSE(manifest.empty());
    auto elements = ReadXmlElements(manifest);

    struct Expected {
        const wchar_t* Path;
        const wchar_t* NamespaceUri;
        const wchar_t* Text;
    };
    const Expected texts[] = {
        {L"assembly/application/windowsSettings/dpiAware",
         L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"true/pm"},
        {L"assembly/application/windowsSettings/dpiAwareness",
         L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"PerMonitorV2"},
    };
    for (const Expected& expected : texts) {
        const XmlElement* element = FindElement(elements, expected.Path);
        ASSERT_NE(element, nullptr) << expected.Path;
        EXPECT_EQ(element->NamespaceUri, expected.NamespaceUri) << expected.Path;
        EXPECT_EQ(element->Text, expected.Text) << expected.Path;
    }

    const XmlElement* root = FindElement(elements, L"assembly");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->NamespaceUri, L"urn:schemas-microsoft-com:asm.v1");
    EXPECT_EQ(root->Attributes.at(L"manifestVersion"), L"1.0");

    auto dependencies =
        FindElements(elements, L"assembly/dependency/dependentAssembly/assemblyIdentity");
    ASSERT_EQ(dependencies.size(), 1u);
    const std::map<std::wstring, std::wstring> commonControls = {
        {L"type", L"win32"},      {L"name", L"Microsoft.Windows.Common-Controls"},
        {L"version", L"6.0.0.0"}, {L"publicKeyToken", L"6595b64144ccf1df"},
        {L"language", L"*"},      {L"processorArchitecture", L"*"},
    };
    EXPECT_EQ(dependencies[0]->Attributes, commonControls);

    auto levels = FindElements(
        elements, L"assembly/trustInfo/security/requestedPrivileges/requestedExecutionLevel");
    ASSERT_EQ(levels.size(), 1u);
    const std::map<std::wstring, std::wstring> asInvoker = {{L"level", L"asInvoker"},
                                                            {L"uiAccess", L"false"}};
    EXPECT_EQ(levels[0]->Attributes, asInvoker);
    EXPECT_EQ(levels[0]->NamespaceUri, L"urn:schemas-microsoft-com:asm.v3");
}

TEST_F(ProgramResourcesTest, ManifestNamesEverySupportedSystemFromVistaToTen) {
    auto elements = ReadXmlElements(FProgram.Find(RT_MANIFEST, MAKEINTRESOURCEW(1), kUsEnglish));
    std::vector<std::wstring> ids;
    for (const XmlElement* os :
         FindElements(elements, L"assembly/compatibility/application/supportedOS")) {
        EXPECT_EQ(os->NamespaceUri, L"urn:schemas-microsoft-com:compatibility.v1");
        ids.push_back(os->Attributes.at(L"Id"));
    }
    const std::vector<std::wstring> expected = {
        L"{e2011457-1546-43c5-a5fe-008deee3d3f0}", // Vista
        L"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", // 7
        L"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", // 8
        L"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", // 8.1
        L"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", // 10
    };
    EXPECT_EQ(ids, expected);
}

// --- version record -------------------------------------------------------------

class VersionRecordTest : public ::testing::Test {
  protected:
    void SetUp() override {
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeW(ProgramPath().c_str(), &ignored);
        ASSERT_NE(size, 0u) << "no version record, error " << GetLastError();
        FRecord.resize(size);
        ASSERT_TRUE(GetFileVersionInfoW(ProgramPath().c_str(), 0, size, FRecord.data()));
    }

    std::span<const std::byte> Query(const std::wstring& path) {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(FRecord.data(), path.c_str(), &value, &length) || !value) {
            return {};
        }
        return {static_cast<const std::byte*>(value), length};
    }

    std::wstring Text(const wchar_t* name) {
        auto value = Query(std::wstring(L"\\StringFileInfo\\040904E4\\") + name);
        std::wstring text(reinterpret_cast<const wchar_t*>(value.data()), value.size());
        return text.substr(0, text.find(L'\0')); // the length may count the terminator
    }

    std::vector<std::byte> FRecord;
};

TEST_F(VersionRecordTest, FixedPartIsVersionOneOfA32BitWindowsApplication) {
    auto fixed = Query(L"\\");
    ASSERT_EQ(fixed.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, fixed.data(), sizeof info);
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(info.dwFileVersionLS, 0u);
    EXPECT_EQ(info.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(info.dwProductVersionLS, 0u);
    EXPECT_EQ(info.dwFileFlags & info.dwFileFlagsMask, 0u);
    EXPECT_EQ(info.dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(info.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(info.dwFileSubtype, static_cast<DWORD>(VFT2_UNKNOWN));
}

TEST_F(VersionRecordTest, TranslationIsUsEnglishInCodePage1252) {
    auto translation = Query(L"\\VarFileInfo\\Translation");
    ASSERT_EQ(translation.size(), 2 * sizeof(WORD));
    WORD pair[2];
    std::memcpy(pair, translation.data(), sizeof pair);
    EXPECT_EQ(pair[0], 0x0409);
    EXPECT_EQ(pair[1], 0x04E4);
}

TEST_F(VersionRecordTest, StringsNameTheProductAndItsVersion) {
    const std::pair<const wchar_t*, const wchar_t*> fields[] = {
        {L"FileDescription", L"Ostrafel"},
        {L"FileVersion", L"1.0.0.0"},
        {L"ProductName", L"Ostrafel"},
        {L"ProductVersion", L"1.0.0.0"},
    };
    for (auto [name, value] : fields) {
        EXPECT_EQ(Text(name), value) << name;
    }
    // A reverse-domain identifier ending in the product's name.
    std::wstring id = Text(L"ProgramID");
    EXPECT_TRUE(std::regex_match(id, std::wregex(L"([a-z0-9-]+\\.)+Ostrafel")))
        << std::string(id.begin(), id.end());
}

// --- icon group -----------------------------------------------------------------

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD Reserved, Type, Count;
};
struct GroupIconEntry {
    BYTE Width, Height, ColorCount, Reserved;
    WORD Planes, BitCount;
    DWORD BytesInRes;
    WORD Id;
};
#pragma pack(pop)

std::vector<GroupIconEntry> ReadIconGroup(std::span<const std::byte> group) {
    GroupIconHeader header{};
    if (group.size() < sizeof header) {
        return {};
    }
    std::memcpy(&header, group.data(), sizeof header);
    std::vector<GroupIconEntry> entries(header.Count);
    if (header.Type != 1 ||
        group.size() < sizeof header + entries.size() * sizeof(GroupIconEntry)) {
        return {};
    }
    std::memcpy(entries.data(), group.data() + sizeof header,
                entries.size() * sizeof(GroupIconEntry));
    return entries;
}

int Side(const GroupIconEntry& entry) {
    return entry.Width == 0 ? 256 : entry.Width;
}

// Width, height, bits per pixel of one icon image, stored as PNG or as a DIB.
struct ImageShape {
    LONG Width, Height;
    int Bits;
    bool Png;
};

ImageShape ReadImageShape(std::span<const std::byte> image) {
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto* bytes = reinterpret_cast<const unsigned char*>(image.data());
    if (image.size() >= 33 && std::memcmp(bytes, signature, sizeof signature) == 0) {
        auto big = [&](size_t at) {
            return static_cast<LONG>(bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 |
                                     bytes[at + 3]);
        };
        // IHDR: bit depth 8 and colour type 6 (RGBA) make 32 bits a pixel.
        int bits = bytes[24] == 8 && bytes[25] == 6 ? 32 : 0;
        return {big(16), big(20), bits, true};
    }
    BITMAPINFOHEADER dib{};
    if (image.size() < sizeof dib) {
        return {};
    }
    std::memcpy(&dib, image.data(), sizeof dib);
    // The height counts the colour rows and the AND mask rows.
    return {dib.biWidth, dib.biHeight / 2, dib.biBitCount, false};
}

TEST_F(ProgramResourcesTest, MainIconHasTenSizesAt32BitsEach) {
    EXPECT_EQ(FProgram.Languages(RT_GROUP_ICON, L"MAINICON"), std::vector<WORD>{kUsEnglish});
    auto group = FProgram.Find(RT_GROUP_ICON, L"MAINICON");
    auto entries = ReadIconGroup(group);
    ASSERT_EQ(entries.size(), 10u);

    std::vector<int> sides;
    for (const GroupIconEntry& entry : entries) {
        int side = Side(entry);
        sides.push_back(side);
        SCOPED_TRACE(side);
        EXPECT_EQ(entry.Width, entry.Height);
        EXPECT_EQ(entry.Planes, 1);
        EXPECT_EQ(entry.BitCount, 32);

        auto image = FProgram.Find(RT_ICON, MAKEINTRESOURCEW(entry.Id));
        ASSERT_EQ(image.size(), entry.BytesInRes);
        ImageShape shape = ReadImageShape(image);
        EXPECT_EQ(shape.Width, side);
        EXPECT_EQ(shape.Height, side);
        EXPECT_EQ(shape.Bits, 32);
        EXPECT_EQ(shape.Png, side == 256);

        // The system itself must be able to make an icon of it.
        HICON icon = CreateIconFromResourceEx(
            reinterpret_cast<PBYTE>(const_cast<std::byte*>(image.data())),
            static_cast<DWORD>(image.size()), TRUE, 0x00030000, side, side, LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr);
        if (icon) {
            DestroyIcon(icon);
        }
    }
    std::sort(sides.begin(), sides.end());
    EXPECT_EQ(sides, (std::vector<int>{16, 20, 24, 32, 48, 64, 72, 96, 128, 256}));
}

// --- texts ---------------------------------------------------------------

TEST_F(ProgramResourcesTest, StringTableHoldsTheMessageBoxTexts) {
    const std::pair<UINT, const wchar_t*> strings[] = {
        {IDS_ERROR, L"Error"},
        {IDS_OK, L"OK"},
        {IDS_CANNOT_OPEN_CLIPBOARD, L"Cannot open clipboard: %s"},
        {IDS_OUT_OF_RESOURCES, L"Out of system resources"},
    };
    for (auto [id, text] : strings) {
        EXPECT_EQ(FProgram.String(id), text) << id;
    }
}

} // namespace
} // namespace ostrafel::test
