#!/usr/bin/env bash
# Makes the end-to-end scene below FOLDER: a small tree (t/), the image captured from it
# with wimlib (d/images/install.wim), the same image under a folder name with a space and
# Chinese characters (d/My 镜像/安装 映像/install.wim) and a damaged copy (d/damaged/install.wim).
set -euo pipefail
root=$1
tree=$root/t
mkdir -p "$tree/sources/深层/更深" "$tree/empty folder" "$root/d/images" "$root/d/My 镜像/安装 映像" "$root/d/damaged"
printf 'plain text\r\n' > "$tree/readme.txt"
printf '中文内容' > "$tree/sources/说明 文件.txt"
: > "$tree/sources/empty.bin"
head -c 393216 /dev/urandom > "$tree/sources/深层/更深/large.bin"
head -c 1234 /dev/urandom > "$tree/sources/深层/small.dat"
wimlib-imagex capture "$tree" "$root/d/images/install.wim" "Test image" >/dev/null
cp "$root/d/images/install.wim" "$root/d/My 镜像/安装 映像/install.wim"
head -c 4096 "$root/d/images/install.wim" > "$root/d/damaged/install.wim"
