/* A version record read as Windows reads it: the file and product version and the string table's
 * texts, of the engine's DLL or of the program, against the version that the build gives each; and
 * the program's manifest, whose assembly carries the same version. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
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

// Two fields of a version as the fixed file information holds them, the first in the high word.
static DWORD fields(unsigned high, unsigned low) {
    return (DWORD)high << 16 | (low & 0xFFFF);
}

static void expect_manifest(const char* file, const char* assembly, const char* version) {
    char identity[128];
    snprintf(identity, sizeof identity, "name=\"%s\" version=\"%s\"", assembly, version);
    HMODULE module = LoadLibraryExA(file, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : NULL;
    const char* text = found ? LockResource(LoadResource(module, found)) : NULL;
    const size_t size = text ? SizeofResource(module, found) : 0, length = strlen(identity);
    int seen = 0;
    for (size_t i = 0; !seen && i + length <= size; ++i) {
        seen = memcmp(text + i, identity, length) == 0;
    }
    if (!seen) {
        fprintf(stderr, "manifest: no assembly %s\n", identity);
        ++failures;
    }
    if (module) {
        FreeLibrary(module);
    }
}

struct Expected {
    const char* kind;
    DWORD file_type;
    const wchar_t* description;
    const wchar_t* product;
    const wchar_t* original_name;
    const char* assembly;
};

// The product's one name, 呼損率の計算 (Pelmora).
#define kName L"\u547c\u640d\u7387\u306e\u8a08\u7b97 (Pelmora)"

static const struct Expected kExpected[] = {
    {"engine", VFT_DLL,
     L"\u30a2\u30fc\u30e9\u30f3B\u5f0f\u306e\u8a08\u7b97\u30e9\u30a4\u30d6\u30e9\u30ea", L"vantrel",
     L"vantrel.dll", NULL},
    {"program", VFT_APP, kName, kName, L"Pelmora.exe", "Pelmora"},
};

int main(int argc, char** argv) {
    const struct Expected* expected = NULL;
    for (size_t i = 0; argc == 4 && i < sizeof kExpected / sizeof kExpected[0]; ++i) {
        if (strcmp(argv[2], kExpected[i].kind) == 0) {
            expected = &kExpected[i];
        }
    }
    unsigned field[4];
    char end;
    if (expected == NULL ||
        sscanf(argv[3], "%u.%u.%u.%u%c", &field[0], &field[1], &field[2], &field[3], &end) != 4) {
        fprintf(stderr, "usage: %s FILE engine|program MAJOR.MINOR.PATCH.TWEAK\n", argv[0]);
        return 2;
    }
    wchar_t version[64] = {0};
    for (size_t i = 0; argv[3][i] != '\0' && i + 1 < sizeof version / sizeof version[0]; ++i) {
        version[i] = (wchar_t)argv[3][i];
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
        fixed->dwFileVersionMS != fields(field[0], field[1]) ||
        fixed->dwFileVersionLS != fields(field[2], field[3]) ||
        fixed->dwProductVersionMS != fields(field[0], field[1]) ||
        fixed->dwProductVersionLS != fields(field[2], field[3]) ||
        fixed->dwFileType != expected->file_type) {
        fprintf(stderr, "fixed file information: not version %s of the %s\n", argv[3],
                expected->kind);
        ++failures;
    }
    expect_string(record, L"CompanyName", L"\u7a7a\u5de1\u901a\u4fe1\u682a\u5f0f\u4f1a\u793e");
    expect_string(record, L"LegalCopyright",
                  L"Copyright (c) 2004 \u7a7a\u5de1\u901a\u4fe1\u682a\u5f0f\u4f1a\u793e");
    expect_string(record, L"FileDescription", expected->description);
    expect_string(record, L"FileVersion", version);
    expect_string(record, L"ProductName", expected->product);
    expect_string(record, L"ProductVersion", version);
    expect_string(record, L"OriginalFilename", expected->original_name);
    free(record);
    if (expected->assembly != NULL) {
        expect_manifest(argv[1], expected->assembly, argv[3]);
    }
    return failures == 0 ? 0 : 1;
}
