# The Debian packages that building and testing need, sourced by the other scripts.
# shellcheck disable=SC2034
build_packages=(cmake make g++ binutils)
test_packages=(libgtest-dev libbenchmark-dev clang-format)
