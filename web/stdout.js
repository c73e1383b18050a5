// Standard output as bytes: the calculator's text is code page 850, which
// the default output path would mangle by decoding it as UTF-8.
mergeInto(LibraryManager.library, {
  fd_write: function (fd, iov, iovcnt, pnum) {
    var written = 0;
    for (var i = 0; i < iovcnt; i++) {
      var ptr = HEAPU32[(iov >> 2) + 2 * i];
      var len = HEAPU32[(iov >> 2) + 2 * i + 1];
      if (fd === 1) Module.output.push(HEAPU8.slice(ptr, ptr + len));
      written += len;
    }
    HEAPU32[pnum >> 2] = written;
    return 0;
  },
});
