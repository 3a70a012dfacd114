# Sourced by the document benchmarks: make_documents FOLDER COUNT STEM writes COUNT small
# one-paragraph Japanese text documents (flat ODT) named STEM1.fodt ... into FOLDER.
make_documents() {
  for i in $(seq 1 "$2"); do
    cat > "$1/$3$i.fodt" <<DOC
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2"
 office:mimetype="application/vnd.oasis.opendocument.text">
<office:body><office:text><text:p>文書 $i の本文です。</text:p></office:text></office:body>
</office:document>
DOC
  done
}
