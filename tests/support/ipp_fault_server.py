#!/usr/bin/env python3
"""A misbehaving server on a free port of 127.0.0.1 ("ready PORT" on standard
output once it listens; it ends after 120 s or once its parent is gone).
  silent                never answers
  trickle               answers every request one byte every half second
  drop UPSTREAM MARKER  passes everything to and from HOST:PORT, but drops
                        both connections when MARKER passes to the server
  trickle-ppd UPSTREAM  the same, but answers the first request for a PPD
                        one byte every half second
"""
import os, socket, sys, threading, time


def serve(client):
    try:
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = client.recv(65536)
            if not chunk:
                return
            data += chunk
        while sys.argv[1] == "silent" and client.recv(65536):
            pass
        slowly(client)
    except OSError:
        pass


def slowly(client):
    for byte in b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: 99999\r\n\r\n\x02" * 999:
        client.sendall(bytes([byte]))
        time.sleep(0.5)


def pipe(source, sink, marker, both):
    tail = b""
    try:
        while True:
            chunk = source.recv(65536)
            window = tail + chunk
            if not chunk or (marker and marker in window):
                if chunk and sys.argv[1] == "trickle-ppd":
                    slowly(source)
                break
            tail = window[-len(marker):] if marker else b""
            sink.sendall(chunk)
    except OSError:
        pass
    for s in both:
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def drop(client):
    host, port = sys.argv[2].rsplit(":", 1)
    server = socket.create_connection((host, int(port)), timeout=10)
    server.settimeout(None)
    threading.Thread(target=pipe, args=(server, client, b"", (client, server)), daemon=True).start()
    marker = b"GET /printers/" if sys.argv[1] == "trickle-ppd" else sys.argv[3].encode()
    pipe(client, server, marker, (client, server))


listener = socket.create_server(("127.0.0.1", 0))
listener.settimeout(0.5)
print("ready", listener.getsockname()[1], flush=True)
parent, end = os.getppid(), time.monotonic() + 120
while time.monotonic() < end and os.getppid() == parent:
    try:
        client, _ = listener.accept()
    except socket.timeout:
        continue
    handler = drop if sys.argv[1] in ("drop", "trickle-ppd") else serve
    threading.Thread(target=handler, args=(client,), daemon=True).start()
