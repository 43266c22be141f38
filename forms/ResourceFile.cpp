#include "forms/ResourceFile.h"

#include "forms/Handles.h"

namespace forms {

namespace {

bool WriteWholeFile(const std::wstring& path, const void* bytes, DWORD size) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.get(), bytes, size, &written, nullptr) != FALSE && written == size;
}

} // namespace

bool SaveResToFile(WORD id, const wchar_t* type, const std::wstring& path) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    HGLOBAL loaded = info != nullptr ? LoadResource(module, info) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return false;
    }
    // Written beside the target and moved over it, so a failure never
    // leaves half a file where a good one was.
    const std::wstring partial = path + L".partial";
    if (!WriteWholeFile(partial, bytes, SizeofResource(module, info)) ||
        MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) == FALSE) {
        DeleteFileW(partial.c_str());
        return false;
    }
    return true;
}

} // namespace forms
