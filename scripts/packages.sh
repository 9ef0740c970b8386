# The Debian packages that building, running and testing need, sourced by the other scripts. The
# user's manual is made into HTML by python3-markdown.
# shellcheck disable=SC2034
build_packages=(cmake make g++ binutils python3-markdown)
# Wayland desktops need Qt's Wayland platform: without it the program would not start there.
program_packages=(qt6-base-dev qt6-wayland qt6-translations-l10n fonts-ipafont-gothic)
# The tests of the Linux build; weston for the program on a headless Wayland compositor, typed
# into through a seat of the test's own.
test_packages=(libgtest-dev libbenchmark-dev clang-format appstream desktop-file-utils pkg-config
    weston libweston-10-dev)
# The fuzz targets are built by clang with libFuzzer.
fuzz_packages=(clang libclang-rt-14-dev)
# The Windows build: the MinGW-w64 cross compilers, NSIS for the installer and msitools for the
# Windows Installer package.
windows_packages=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 nsis wixl msitools)
# Its tests: GoogleTest's sources to build it for Windows, and wine with its fonts and a virtual X
# display to run the tests and the timing program (the IPA fonts stand in for the Japanese faces);
# Python for the check of the MSI's tables, and OpenSSL for a throwaway signing certificate.
windows_test_packages=(googletest wine64 fonts-wine fonts-ipafont-gothic xvfb xauth python3 openssl)
# The 32-bit engine: the i686 cross compilers; its tests run under 32-bit wine (Debian's i386
# architecture).
windows_x86_packages=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686)
windows_x86_test_packages=(wine32:i386)
# The program typed into through real input methods: ibus and fcitx5 with Mozc and their Qt 6
# modules, a D-Bus session for each, a virtual display, keys and clicks from xdotool and the
# clipboard read back with xclip.
input_method_test_packages=(ibus ibus-mozc fcitx5 fcitx5-mozc fcitx5-frontend-qt6 dbus-daemon
    dbus-bin xvfb x11-utils xdotool xclip procps passwd)
# The Debian packages are made by debhelper. Their check: lintian, hardening-check (devscripts),
# a software centre's compose, and a clean minimal Debian 12 made by debootstrap, kept compressed.
debian_packages=(debhelper dpkg-dev)
debian_test_packages=(lintian devscripts appstream-compose debootstrap zstd)
# A release: the commit's tree, a stopped clock for the tools that write the time of the day, and
# a ZIP sorted by name; its check compares two builds' differing files.
release_packages=(git faketime strip-nondeterminism)
verify_packages=(diffoscope-minimal)
# A signed release, and its check: osslsigncode signs and checks Authenticode signatures; 7-Zip
# unpacks the installer's signed uninstaller.
signing_packages=(osslsigncode 7zip)
