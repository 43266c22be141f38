#pragma once

#include <string>
#include <vector>

namespace testing_support {

// The stand-in operator started around this test run (tests/with_operator.py).
class OperatorServer {
public:
    static bool Available();
    // Full URL of a path on the server, for example Url(L"/cut/blob.bin").
    static std::wstring Url(const std::wstring& path);
    // Puts a file where the server serves it.
    static void Serve(const std::wstring& name, const std::vector<unsigned char>& bytes);
    static void Serve(const std::wstring& name, const std::string& text);
};

} // namespace testing_support
