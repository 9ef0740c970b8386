/* The Windows library's version record, read as Windows reads it: file and product version
 * 1.0.0.1, and the string table's texts. */
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>
#include <windows.h>

static int failures = 0;

static void expect_string(const void* record, const wchar_t* key, const wchar_t* expected) {
    wchar_t path[128];
    wchar_t* value = NULL;
    UINT length = 0;
    swprintf(path, sizeof path / sizeof path[0], L"\\StringFileInfo\\041104B0\\%ls", key);
    if (!VerQueryValueW(record, path, (void**)&value, &length) || wcscmp(value, expected) != 0) {
        fwprintf(stderr, L"%ls: not as expected\n", key);
        ++failures;
    }
}

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: %s LIBRARY\n", argv[0]);
        return 2;
    }
    const DWORD size = GetFileVersionInfoSizeA(argv[1], NULL);
    void* record = size > 0 ? malloc(size) : NULL;
    if (record == NULL || !GetFileVersionInfoA(argv[1], 0, size, record)) {
        fprintf(stderr, "%s: no version record\n", argv[1]);
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = NULL;
    UINT length = 0;
    if (!VerQueryValueW(record, L"\\", (void**)&fixed, &length) ||
        fixed->dwFileVersionMS != MAKELONG(0, 1) || fixed->dwFileVersionLS != MAKELONG(1, 0) ||
        fixed->dwProductVersionMS != MAKELONG(0, 1) ||
        fixed->dwProductVersionLS != MAKELONG(1, 0) || fixed->dwFileType != VFT_DLL) {
        fprintf(stderr, "fixed file information: not version 1.0.0.1 of a DLL\n");
        ++failures;
    }
    expect_string(record, L"CompanyName", L"\u7a7a\u5de1\u901a\u4fe1\u682a\u5f0f\u4f1a\u793e");
    expect_string(record, L"FileDescription", L"Erlang B traffic engine");
    expect_string(record, L"FileVersion", L"1.0.0.1");
    expect_string(record, L"ProductName", L"vantrel");
    expect_string(record, L"ProductVersion", L"1.0.0.1");
    expect_string(record, L"OriginalFilename", L"vantrel.dll");
    free(record);
    return failures == 0 ? 0 : 1;
}
