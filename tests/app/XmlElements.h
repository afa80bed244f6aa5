// The elements of an XML document as a flat list, read with the system's XmlLite.
#pragma once

#include <cstddef>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace ostrafel::test {

struct XmlElement {
    std::wstring Path; // local names from the root, joined by "/"
    std::wstring NamespaceUri;
    std::map<std::wstring, std::wstring> Attributes; // by local name, without xmlns
    std::wstring Text;
};

// Throws std::runtime_error when the document is not well-formed.
std::vector<XmlElement> ReadXmlElements(std::span<const std::byte> document);

} // namespace ostrafel::test
