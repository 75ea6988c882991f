#!/usr/bin/env python3
"""A misbehaving server on 127.0.0.1 for the cases a real cupsd never
produces.

Usage: ipp_fault_server.py MODE [ARG...]

  silent                  accepts every connection and never answers
  trickle                 answers every request with a response that comes
                          one byte every half second and never ends
  drop UPSTREAM MARKER    passes everything to and from the server at
                          UPSTREAM (HOST:PORT), but drops both connections
                          when MARKER passes from the client to the server
                          (the piece that holds it never arrives)

"ready PORT" is written to standard output once the socket listens. The
server ends by itself after 120 s, or once the process that started it is
gone.
"""
import os
import socket
import sys
import threading
import time

LIFETIME = 120.0


def silent(client):
    try:
        while client.recv(65536):
            pass
    except OSError:
        pass


def trickle(client):
    try:
        data = b""
        while b"\r\n\r\n" not in data:
            chunk = client.recv(65536)
            if not chunk:
                return
            data += chunk
        header = b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\nContent-Length: 1000000\r\n\r\n"
        for byte in header + b"\x02" * 1000000:
            client.sendall(bytes([byte]))
            time.sleep(0.5)
    except OSError:
        pass


def pipe(source, sink, marker, both):
    tail = b""
    try:
        while True:
            chunk = source.recv(65536)
            if not chunk:
                break
            if marker:
                window = tail + chunk
                if marker in window:
                    break
                tail = window[-(len(marker) - 1):]
            sink.sendall(chunk)
    except OSError:
        pass
    for s in both:
        try:
            s.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass


def drop(client, upstream, marker):
    host, port = upstream.rsplit(":", 1)
    server = socket.create_connection((host, int(port)), timeout=10)
    server.settimeout(None)
    both = (client, server)
    threading.Thread(target=pipe, args=(server, client, b"", both), daemon=True).start()
    pipe(client, server, marker, both)


def main():
    mode = sys.argv[1]
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(16)
    listener.settimeout(0.5)
    print("ready", listener.getsockname()[1], flush=True)
    parent = os.getppid()
    end = time.monotonic() + LIFETIME
    while time.monotonic() < end and os.getppid() == parent:
        try:
            client, _ = listener.accept()
        except socket.timeout:
            continue
        if mode == "silent":
            handler, args = silent, (client,)
        elif mode == "trickle":
            handler, args = trickle, (client,)
        else:
            handler, args = drop, (client, sys.argv[2], sys.argv[3].encode())
        threading.Thread(target=handler, args=args, daemon=True).start()


if __name__ == "__main__":
    main()
