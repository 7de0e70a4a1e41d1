# The Debian packages of the build, the tests and the install checks; sourced by the Quick start scripts.
build_packages=(
  cmake make g++ pkg-config git
  qt6-base-dev libgl-dev libpulse-dev libsndfile1-dev
  libgtest-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho
  desktop-file-utils appstream dpkg-dev file
  # The parent report's text read back from its PDF.
  poppler-utils
  # The drill pressed over the accessibility bus, and sounds played on a null sink.
  dbus at-spi2-core python3-pyatspi xvfb qt6-qpa-plugins pulseaudio
)
# Voices of the demo idioms; the program runs without them.
demo_packages=(espeak-ng mecab mecab-ipadic-utf8)
# Fuzzing with libFuzzer (tools/fuzz.sh); not needed by the build or the tests.
fuzz_packages=(clang-14 libclang-rt-14-dev)
