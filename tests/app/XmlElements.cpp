#include "XmlElements.h"

#include <shlwapi.h>
#include <windows.h>
#include <wrl/client.h>
#include <xmllite.h>

#include <stdexcept>

namespace ostrafel::test {

namespace {

using Microsoft::WRL::ComPtr;

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) {
        throw std::runtime_error(std::string(what) + " failed");
    }
}

// The toolchain has no import library for xmllite.dll.
ComPtr<IXmlReader> CreateReader() {
    using Create = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);
    static HMODULE library = LoadLibraryW(L"xmllite.dll");
    auto* create = library ? reinterpret_cast<Create>(reinterpret_cast<void*>(
                                 GetProcAddress(library, "CreateXmlReader")))
                           : nullptr;
    if (!create) {
        throw std::runtime_error("xmllite.dll is missing");
    }
    ComPtr<IXmlReader> reader;
    Check(create(__uuidof(IXmlReader), &reader, nullptr), "CreateXmlReader");
    return reader;
}

std::wstring LocalName(IXmlReader& reader) {
    const wchar_t* name = nullptr;
    Check(reader.GetLocalName(&name, nullptr), "GetLocalName");
    return name;
}

std::wstring NamespaceUri(IXmlReader& reader) {
    const wchar_t* uri = nullptr;
    Check(reader.GetNamespaceUri(&uri, nullptr), "GetNamespaceUri");
    return uri;
}

std::wstring Value(IXmlReader& reader) {
    const wchar_t* value = nullptr;
    Check(reader.GetValue(&value, nullptr), "GetValue");
    return value;
}

XmlElement ReadElement(IXmlReader& reader, const std::wstring& parentPath) {
    XmlElement element;
    element.Path = parentPath.empty() ? LocalName(reader) : parentPath + L"/" + LocalName(reader);
    element.NamespaceUri = NamespaceUri(reader);
    for (HRESULT at = reader.MoveToFirstAttribute(); at == S_OK;
         at = reader.MoveToNextAttribute()) {
        if (NamespaceUri(reader) != L"http://www.w3.org/2000/xmlns/") {
            element.Attributes[LocalName(reader)] = Value(reader);
        }
    }
    Check(reader.MoveToElement(), "MoveToElement");
    return element;
}

} // namespace

std::vector<XmlElement> ReadXmlElements(std::span<const std::byte> document) {
    ComPtr<IStream> stream;
    stream.Attach(SHCreateMemStream(reinterpret_cast<const BYTE*>(document.data()),
                                    static_cast<UINT>(document.size())));
    if (!stream) {
        throw std::runtime_error("SHCreateMemStream failed");
    }
    ComPtr<IXmlReader> owner = CreateReader();
    IXmlReader& reader = *owner.Get();
    Check(reader.SetInput(stream.Get()), "SetInput");

    std::vector<XmlElement> elements;
    std::vector<size_t> open; // indices of the elements not yet closed
    XmlNodeType type;
    HRESULT result;
    while ((result = reader.Read(&type)) == S_OK) {
        switch (type) {
        case XmlNodeType_Element: {
            bool empty = reader.IsEmptyElement();
            elements.push_back(
                ReadElement(reader, open.empty() ? L"" : elements[open.back()].Path));
            if (!empty) {
                open.push_back(elements.size() - 1);
            }
            break;
        }
        case XmlNodeType_Text:
        case XmlNodeType_CDATA:
            if (!open.empty()) {
                elements[open.back()].Text += Value(reader);
            }
            break;
        case XmlNodeType_EndElement:
            if (!open.empty()) {
                open.pop_back();
            }
            break;
        default:
            break;
        }
    }
    Check(result, "reading the XML document");
    return elements;
}

} // namespace ostrafel::test
