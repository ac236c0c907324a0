#!/bin/bash
# Sets up a Debian machine for building and testing the suite: installs the
# cross compilers, Wine, Xvfb and tools, and cross-builds the codec libraries
# (static, both targets) from Debian's source packages into a cache folder
# outside the checkout. Safe to run again: everything done is skipped.
set -euo pipefail

DEPS_CACHE=${PIXMERE_DEPS:-/var/cache/pixmere-deps}
TARGETS="x86_64-w64-mingw32 i686-w64-mingw32"
CODEC_SOURCES="libjpeg-turbo libpng1.6 giflib tiff libwebp libde265 dav1d libheif brotli highway lcms2 jpeg-xl"

PACKAGES="g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  gcc-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix
  wine64 xvfb xauth x11-apps nasm cmake ninja-build make dpkg-dev
  libz-mingw-w64-dev imagemagick googletest ffmpeg libjpeg-turbo-progs
  nsis x11-utils libvips-tools libimage-exiftool-perl webp
  libheif-examples libjxl-tools libavif-bin meson icc-profiles-free colord-data"

log() { echo "bootstrap: $*" >&2; }

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
  local missing=""
  for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  if [ -n "$missing" ]; then
    log "installing$missing"
    as_root apt-get update -q
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -q $missing
  fi
}

# apt-get source needs a deb-src entry; derive one from the existing entries.
ensure_deb_src() {
  if grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ || grep -qs '^deb-src' /etc/apt/sources.list; then
    return
  fi
  log "adding deb-src entries"
  local out=/etc/apt/sources.list.d/pixmere-deb-src.sources
  local tmp; tmp=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    # Only the distribution's own entries (those naming a Debian keyring).
    awk 'BEGIN{RS=""; ORS="\n\n"} /debian-archive-keyring/ && /Types:[^\n]*deb/ {sub(/Types:[^\n]*/, "Types: deb-src"); print}' "$f" >> "$tmp"
  done
  if [ -s /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/pixmere-deb-src.list || true
  fi
  if [ -s "$tmp" ]; then as_root cp "$tmp" "$out"; fi
  rm -f "$tmp"
  as_root apt-get update -q
}

source_version() { apt-cache showsrc "$1" | awk '/^Version:/ {print $2; exit}'; }

# Downloads and unpacks a source package once into $DEPS_CACHE/src.
fetch_source() {
  local pkg=$1 ver=$2 dir="$DEPS_CACHE/src/$1-${2//:/_}"
  if [ ! -f "$dir/.unpacked" ]; then
    log "fetching $pkg $ver"
    rm -rf "$dir" && mkdir -p "$dir/dl"
    # The archive may answer for a version from another pocket (security)
    # whose files it does not hold; the release's own pocket is asked next.
    local release; release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    (cd "$dir/dl" && { apt-get source --download-only "$pkg=$ver" >/dev/null ||
      { rm -f ./*; apt-get source --download-only "$pkg/$release" >/dev/null; }; }) &&
      [ -f "$dir/dl/${pkg}_${ver#*:}.dsc" ] &&
      (cd "$dir" && dpkg-source --no-check -x "dl/${pkg}_${ver#*:}.dsc" tree >/dev/null) &&
      [ -d "$dir/tree" ] || { log "cannot fetch the source of $pkg $ver"; rm -rf "$dir"; exit 1; }
    touch "$dir/.unpacked"
  fi
  echo "$dir/tree"
}

toolchain_file() { echo "$REPO/cmake/toolchain-$1.cmake"; }

build_jpeg() { # target src prefix
  local t=$1 src=$2 prefix=$3 b; b=$(mktemp -d)
  local proc=AMD64; [ "$t" = i686-w64-mingw32 ] && proc=X86
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$t")" \
    -DCMAKE_SYSTEM_PROCESSOR=$proc -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b" jpeg-static >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$b/libjpeg.a" "$prefix/lib/"
  cp "$b/jconfig.h" "$src/jerror.h" "$src/jmorecfg.h" "$src/jpeglib.h" "$prefix/include/"
  rm -rf "$b"
}

build_png() {
  local t=$1 src=$2 prefix=$3 b; b=$(mktemp -d)
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$t")" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
    -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF \
    -DZLIB_LIBRARY=/usr/$t/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$t/include >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b" install >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  rm -rf "$b"
}

build_gif() {
  local t=$1 src=$2 prefix=$3 b; b=$(mktemp -d)
  mkdir -p "$prefix/lib" "$prefix/include"
  for c in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray quantize; do
    [ -f "$src/$c.c" ] || continue
    $t-gcc-posix -O2 -c "$src/$c.c" -I"$src" -o "$b/$c.o"
  done
  $t-gcc-ar-posix rcs "$prefix/lib/libgif.a" "$b"/*.o
  cp "$src/gif_lib.h" "$prefix/include/"
  rm -rf "$b"
}

build_tiff() {
  local t=$1 src=$2 prefix=$3 jpeg=$4 b; b=$(mktemp -d)
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$t")" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF \
    -Dzlib=ON -DZLIB_LIBRARY=/usr/$t/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/$t/include \
    -Djpeg=ON -DJPEG_LIBRARY="$jpeg/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$jpeg/include" \
    -Dold-jpeg=OFF -Djbig=OFF -Dlerc=OFF -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Dlibdeflate=OFF -Dpixarlog=OFF \
    >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b" tiff >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$b/libtiff/libtiff.a" "$prefix/lib/"
  cp "$src/libtiff/tiff.h" "$src/libtiff/tiffio.h" "$src/libtiff/tiffvers.h" "$b/libtiff/tiffconf.h" "$prefix/include/"
  rm -rf "$b"
}

# libwebp's decoder and demuxer (for the first frame of animations); the
# encoder comes along in libwebp.a (the sample tool writes with it); the
# tools and the mux library are not built.
build_webp() {
  local t=$1 src=$2 prefix=$3 b; b=$(mktemp -d)
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$t")" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DWEBP_BUILD_ANIM_UTILS=OFF -DWEBP_BUILD_CWEBP=OFF -DWEBP_BUILD_DWEBP=OFF \
    -DWEBP_BUILD_GIF2WEBP=OFF -DWEBP_BUILD_IMG2WEBP=OFF -DWEBP_BUILD_VWEBP=OFF \
    -DWEBP_BUILD_WEBPINFO=OFF -DWEBP_BUILD_WEBPMUX=OFF -DWEBP_BUILD_EXTRAS=OFF \
    -DWEBP_BUILD_LIBWEBPMUX=OFF -DWEBP_NEAR_LOSSLESS=OFF >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b" webp webpdemux >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  mkdir -p "$prefix/lib" "$prefix/include/webp"
  cp "$b/libwebp.a" "$b/libwebpdemux.a" "$prefix/lib/"
  cp "$src/src/webp/decode.h" "$src/src/webp/demux.h" "$src/src/webp/encode.h" "$src/src/webp/mux_types.h" \
    "$src/src/webp/types.h" "$prefix/include/webp/"
  rm -rf "$b"
}

# libde265's Windows locks are kernel objects: every lock, unlock and
# condition of its progress locks (one for each 64 x 64 block of a picture)
# is a call to the system, under Wine a round trip to the server. Slim
# reader/writer locks and condition variables stay in the process. They
# are not recursive, so a broadcast takes no lock (as on POSIX): its
# callers may hold the mutex already.
de265_with_slim_locks() {
  local header=$1/libde265/threads.h code=$1/libde265/threads.cc
  grep -q '^typedef HANDLE              de265_mutex;' "$header" &&
    grep -q 'CreateMutex(NULL, FALSE, NULL)' "$code" ||
    { echo "libde265: the Windows locks to replace are not there" >&2; exit 1; }
  sed -i -e 's/^typedef HANDLE              de265_mutex;/typedef SRWLOCK             de265_mutex;/' \
    -e 's/^typedef win32_cond_t        de265_cond;/typedef CONDITION_VARIABLE  de265_cond;/' "$header"
  perl -0pi -e 's/void de265_mutex_init\(de265_mutex\* m\) \{ \*m = CreateMutex.*?win32_cond_signal\(c\); \}/void de265_mutex_init(de265_mutex* m) { InitializeSRWLock(m); }
void de265_mutex_destroy(de265_mutex* m) { }
void de265_mutex_lock(de265_mutex* m) { AcquireSRWLockExclusive(m); }
void de265_mutex_unlock(de265_mutex* m) { ReleaseSRWLockExclusive(m); }
void de265_cond_init(de265_cond* c) { InitializeConditionVariable(c); }
void de265_cond_destroy(de265_cond* c) { }
void de265_cond_broadcast(de265_cond* c,de265_mutex* m) { WakeAllConditionVariable(c); }
void de265_cond_wait(de265_cond* c,de265_mutex* m) { SleepConditionVariableSRW(c, m, INFINITE, 0); }
void de265_cond_signal(de265_cond* c) { WakeConditionVariable(c); }/s' "$code"
  grep -q 'AcquireSRWLockExclusive' "$code" || { echo "libde265: lock patch did not apply" >&2; exit 1; }
}
# libde265: the HEVC decoder of HEIF pictures; library only.
build_de265() {
  local t=$1 src=$2 prefix=$3 b; b=$(mktemp -d)
  cp -r "$src" "$b/src" && src=$b/src
  de265_with_slim_locks "$src"
  cmake -S "$src" -B "$b/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$t")" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DENABLE_SDL=OFF -DENABLE_DECODER=OFF -DENABLE_ENCODER=OFF -DCMAKE_C_FLAGS=-DLIBDE265_STATIC_BUILD \
    -DCMAKE_CXX_FLAGS=-DLIBDE265_STATIC_BUILD >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b/build" install >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  rm -rf "$b"
}

# dav1d, the AV1 decoder of AVIF pictures (through libheif); library only,
# with its assembly (which keeps to the Windows calling convention itself).
build_dav1d() {
  local t=$1 src=$2 prefix=$3 b; b=$(mktemp -d)
  local family=x86_64; [ "$t" = i686-w64-mingw32 ] && family=x86
  cat > "$b/cross.txt" <<CROSS
[binaries]
c = '$t-gcc-posix'
ar = '$t-gcc-ar-posix'
strip = '$t-strip'
windres = '$t-windres'
[host_machine]
system = 'windows'
cpu_family = '$family'
cpu = '$family'
endian = 'little'
CROSS
  meson setup "$b/build" "$src" --cross-file "$b/cross.txt" --prefix "$prefix" --libdir lib \
    --buildtype release --default-library static -Denable_tools=false -Denable_tests=false \
    -Denable_examples=false -Dlogging=false >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b/build" install >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  [ -f "$prefix/lib/libdav1d.a" ] || { echo "libdav1d.a not built" >&2; exit 1; }
  rm -rf "$b"
}

# libheif with libde265 (HEIC) and dav1d (AVIF) as its decoders: no
# encoders, plug-ins, examples or tests. Its libde265 decoder starts one
# worker thread per picture and waits for it, so the thread adds no speed,
# only a hand-over of every coding block through condition variables; under
# Wine each of those is a round trip to the server (about 50 000 a 12 MP
# picture, four times the decode itself). Without the worker libde265
# decodes in the calling thread. Grid pictures (tiles) are still decoded
# several at a time by libheif's own threads.
heif_without_de265_worker() {
  local plugin=$1/libheif/plugins/heif_decoder_libde265.cc
  grep -q 'de265_start_worker_threads(decoder->ctx, 1);' "$plugin" ||
    { echo "libheif: the libde265 worker-thread call to remove is not there" >&2; exit 1; }
  sed -i 's/de265_start_worker_threads(decoder->ctx, 1);/\/\* decoded in the calling thread \*\//' "$plugin"
}
build_heif() {
  local t=$1 src=$2 prefix=$3 de265=$4 dav1d=$5 b; b=$(mktemp -d)
  cp -r "$src" "$b/src" && src=$b/src
  heif_without_de265_worker "$src"
  cmake -S "$src" -B "$b/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$t")" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DWITH_LIBDE265=ON -DWITH_X265=OFF -DWITH_AOM_DECODER=OFF -DWITH_AOM_ENCODER=OFF \
    -DWITH_DAV1D=ON -DWITH_DAV1D_PLUGIN=OFF -DDAV1D_INCLUDE_DIR="$dav1d/include" \
    -DDAV1D_LIBRARY="$dav1d/lib/libdav1d.a" -DWITH_RAV1E=OFF -DWITH_SvtEnc=OFF -DWITH_EXAMPLES=OFF -DBUILD_TESTING=OFF \
    -DWITH_GDK_PIXBUF=OFF -DENABLE_PLUGIN_LOADING=OFF -DWITH_JPEG_DECODER=OFF -DWITH_JPEG_ENCODER=OFF \
    -DWITH_KVAZAAR=OFF -DWITH_OpenJPEG_DECODER=OFF -DWITH_OpenJPEG_ENCODER=OFF -DWITH_FFMPEG_DECODER=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_Doxygen=ON -DCMAKE_PREFIX_PATH="$de265;$dav1d" \
    -DLIBDE265_INCLUDE_DIR="$de265/include" -DLIBDE265_LIBRARY="$de265/lib/libde265.a" \
    -DCMAKE_C_FLAGS="-DLIBDE265_STATIC_BUILD -DLIBHEIF_STATIC_BUILD" \
    -DCMAKE_CXX_FLAGS="-DLIBDE265_STATIC_BUILD -DLIBHEIF_STATIC_BUILD" >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b/build" heif >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  mkdir -p "$prefix/lib" "$prefix/include/libheif"
  find "$b/build" -name 'libheif.a' -exec cp {} "$prefix/lib/" \;
  cp "$src"/libheif/heif.h "$prefix/include/libheif/" 2>/dev/null || cp "$src"/libheif/api/libheif/heif.h "$prefix/include/libheif/"
  find "$b/build" -name 'heif_version.h' -exec cp {} "$prefix/include/libheif/" \;
  [ -f "$prefix/lib/libheif.a" ] || { echo "libheif.a not built" >&2; exit 1; }
  rm -rf "$b"
}

# brotli's libraries (JPEG XL compresses metadata boxes with it).
build_brotli() {
  local t=$1 src=$2 prefix=$3 b; b=$(mktemp -d)
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$t")" \
    -DCMAKE_BUILD_TYPE=Release -DBROTLI_DISABLE_TESTS=ON >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b" brotlicommon-static brotlidec-static brotlienc-static >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  mkdir -p "$prefix/lib" "$prefix/include"
  for l in common dec enc; do cp "$b/libbrotli$l-static.a" "$prefix/lib/libbrotli$l.a"; done
  cp -r "$src/c/include/brotli" "$prefix/include/"
  rm -rf "$b"
}

# highway, the SIMD library of JPEG XL, with its 128-bit targets (SSSE3,
# SSE4) chosen at run time and the 256/512-bit ones (AVX2, AVX3, AVX3_DL:
# bits 9, 8, 7, so 896) disabled: MinGW's GCC spills 32-byte registers to a
# 16-byte aligned stack on 64-bit Windows, so those paths crash. Compiling
# only the static target is no way out: without -m flags that is the scalar
# one, which decodes about 3.5 times slower. The 32-bit build realigns the
# stack, which Windows keeps only 4-byte aligned there.
hwy_flags() {
  local flags="-DHWY_DISABLED_TARGETS=896"
  [ "$1" = i686-w64-mingw32 ] && flags="$flags -mstackrealign"
  echo "$flags"
}
build_highway() {
  local t=$1 src=$2 prefix=$3 b; b=$(mktemp -d)
  local HWY_FLAGS; HWY_FLAGS=$(hwy_flags "$t")
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$t")" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DBUILD_TESTING=OFF -DHWY_ENABLE_EXAMPLES=OFF -DHWY_ENABLE_CONTRIB=OFF -DHWY_ENABLE_TESTS=OFF \
    -DHWY_WARNINGS_ARE_ERRORS=OFF -DCMAKE_CXX_FLAGS="$HWY_FLAGS" >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b" install >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  rm -rf "$b"
}

# Little CMS, the colour management that JPEG XL's decoder needs (Debian's
# source of jpeg-xl does not ship its bundled one).
build_lcms2() {
  local t=$1 src=$2 prefix=$3 b; b=$(mktemp -d)
  mkdir -p "$prefix/lib" "$prefix/include"
  for c in "$src"/src/*.c; do
    $t-gcc-posix -O2 -c "$c" -I"$src/include" -o "$b/$(basename "$c" .c).o"
  done
  $t-gcc-ar-posix rcs "$prefix/lib/liblcms2.a" "$b"/*.o
  cp "$src/include/lcms2.h" "$prefix/include/"
  rm -rf "$b"
}

# libjxl's decoder library only: no encoder, tools, tests, viewers or docs;
# JXL_STATIC_DEFINE keeps its functions out of the export table of the DLL
# that links it.
build_jxl() {
  local t=$1 src=$2 prefix=$3 brotli=$4 hwy=$5 lcms=$6 b; b=$(mktemp -d)
  local HWY_FLAGS; HWY_FLAGS=$(hwy_flags "$t")
  cmake -S "$src" -B "$b" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file "$t")" \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF \
    -DJPEGXL_ENABLE_TOOLS=OFF -DJPEGXL_ENABLE_MANPAGES=OFF -DJPEGXL_ENABLE_BENCHMARK=OFF \
    -DJPEGXL_ENABLE_EXAMPLES=OFF -DJPEGXL_ENABLE_JNI=OFF -DJPEGXL_ENABLE_SJPEG=OFF \
    -DJPEGXL_ENABLE_OPENEXR=OFF -DJPEGXL_ENABLE_PLUGINS=OFF -DJPEGXL_ENABLE_VIEWERS=OFF \
    -DJPEGXL_ENABLE_DOXYGEN=OFF -DJPEGXL_ENABLE_SKCMS=OFF -DJPEGXL_BUNDLE_SKCMS=OFF \
    -DJPEGXL_ENABLE_TCMALLOC=OFF -DJPEGXL_ENABLE_TRANSCODE_JPEG=OFF -DJPEGXL_STATIC=OFF \
    -DJPEGXL_FORCE_SYSTEM_BROTLI=ON -DJPEGXL_FORCE_SYSTEM_HWY=ON -DJPEGXL_FORCE_SYSTEM_LCMS2=ON \
    -DBROTLI_INCLUDE_DIR="$brotli/include" -DBROTLICOMMON_LIBRARY="$brotli/lib/libbrotlicommon.a" \
    -DBROTLIDEC_LIBRARY="$brotli/lib/libbrotlidec.a" -DBROTLIENC_LIBRARY="$brotli/lib/libbrotlienc.a" \
    -DHWY_INCLUDE_DIR="$hwy/include" -DHWY_LIBRARY="$hwy/lib/libhwy.a" \
    -DLCMS2_INCLUDE_DIR="$lcms/include" -DLCMS2_LIBRARY="$lcms/lib/liblcms2.a" \
    -DCMAKE_CXX_FLAGS="$HWY_FLAGS -DJXL_STATIC_DEFINE" -DCMAKE_C_FLAGS="$HWY_FLAGS -DJXL_STATIC_DEFINE" >"$b/log" 2>&1 || { cat "$b/log"; exit 1; }
  ninja -C "$b" jxl_dec-static >>"$b/log" 2>&1 || { tail -50 "$b/log"; exit 1; }
  mkdir -p "$prefix/lib" "$prefix/include/jxl"
  cp "$(find "$b" -name 'libjxl_dec*.a' | head -1)" "$prefix/lib/libjxl_dec.a"
  cp "$src"/lib/include/jxl/*.h "$b"/lib/include/jxl/*.h "$prefix/include/jxl/"
  rm -rf "$b"
}

# Marks a library built with another recipe than before under the same
# package version, so that caches of the old build are not taken for it.
recipe_tag() { case $1 in libde265) echo "-srw" ;; libheif) echo "-av1-st" ;; highway|jpeg-xl) echo "-sse4" ;; esac; }

# Builds every codec for every target and writes $DEPS_CACHE/<target>/deps.cmake,
# which the project's CMake reads to find them.
build_codecs() {
  for t in $TARGETS; do
    local out="$DEPS_CACHE/$t" lines=""
    local jpeg_prefix="" de265_prefix="" dav1d_prefix="" brotli_prefix="" hwy_prefix="" lcms_prefix=""
    for pkg in $CODEC_SOURCES; do
      local ver; ver=$(source_version "$pkg")
      [ -n "$ver" ] || { echo "no source version for $pkg" >&2; exit 1; }
      local prefix="$out/$pkg-${ver//:/_}$(recipe_tag "$pkg")"
      if [ ! -f "$prefix/.built" ]; then
        local src; src=$(fetch_source "$pkg" "$ver")
        log "building $pkg $ver for $t"
        local started=$SECONDS
        rm -rf "$prefix"
        case $pkg in
          libjpeg-turbo) build_jpeg "$t" "$src" "$prefix" ;;
          libpng1.6) build_png "$t" "$src" "$prefix" ;;
          giflib) build_gif "$t" "$src" "$prefix" ;;
          tiff) build_tiff "$t" "$src" "$prefix" "$jpeg_prefix" ;;
          libwebp) build_webp "$t" "$src" "$prefix" ;;
          libde265) build_de265 "$t" "$src" "$prefix" ;;
          dav1d) build_dav1d "$t" "$src" "$prefix" ;;
          libheif) build_heif "$t" "$src" "$prefix" "$de265_prefix" "$dav1d_prefix" ;;
          brotli) build_brotli "$t" "$src" "$prefix" ;;
          highway) build_highway "$t" "$src" "$prefix" ;;
          lcms2) build_lcms2 "$t" "$src" "$prefix" ;;
          jpeg-xl) build_jxl "$t" "$src" "$prefix" "$brotli_prefix" "$hwy_prefix" "$lcms_prefix" ;;
        esac
        touch "$prefix/.built"
        log "built $pkg for $t in $((SECONDS - started)) s"
      fi
      [ "$pkg" = libjpeg-turbo ] && jpeg_prefix=$prefix
      [ "$pkg" = libde265 ] && de265_prefix=$prefix
      [ "$pkg" = dav1d ] && dav1d_prefix=$prefix
      [ "$pkg" = brotli ] && brotli_prefix=$prefix
      [ "$pkg" = highway ] && hwy_prefix=$prefix
      [ "$pkg" = lcms2 ] && lcms_prefix=$prefix
      local var; var=$(echo "$pkg" | tr 'a-z.-' 'A-Z__')
      lines="$lines
set(PIXMERE_${var}_PREFIX \"$prefix\")
set(PIXMERE_${var}_SOURCE \"$DEPS_CACHE/src/$pkg-${ver//:/_}/tree\")"
    done
    printf '# Written by scripts/bootstrap.sh\n%s\n' "$lines" > "$out/deps.cmake"
  done
}

REPO=$(cd "$(dirname "$0")/.." && pwd)
install_packages
ensure_deb_src
mkdir -p "$DEPS_CACHE"
build_codecs
log "done; codec libraries in $DEPS_CACHE"
