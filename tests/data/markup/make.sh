#!/usr/bin/env bash
# Regenerates the encoded layout files in this folder with iconv: UTF-16 little- and big-endian
# with their byte-order marks, and UTF-8 with a byte-order mark.
set -euo pipefail
cd "$(dirname "$0")"
cat > source.xml <<'XML'
<?xml version="1.0" encoding="utf-16"?>
<!-- the same window in every encoding -->
<Window size="518,345" title="Halvane安装程序">
  <Label text="😀 &amp; &lt;ok&gt;" />
</Window>
XML
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE source.xml; } > utf16le.xml
{ printf '\xfe\xff'; iconv -f UTF-8 -t UTF-16BE source.xml; } > utf16be.xml
{ printf '\xef\xbb\xbf'; cat source.xml; } > utf8bom.xml
rm source.xml
