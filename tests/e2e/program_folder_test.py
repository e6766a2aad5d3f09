#!/usr/bin/env python3
"""The program folder of a Windows build tree and the zip packed from it.

The help page that the window's link opens, talvique.htm, lies beside
Talvique.exe exactly as the project's source holds it; it reads as GBK, says
so in its head, has its title and its sections; and the zip that
scripts/make-dist.sh packs for Windows carries it beside the program.

  program_folder_test.py TREE SOURCE_ROOT WORK
"""
import os
import re
import shutil
import subprocess
import sys
import zipfile

TITLE = "Talvique 会说话的计算器 使用说明"
SECTIONS = ["窗口", "各键的作用", "怎样读出结果", "关闭和打开声音", "计天器怎样计算",
            "纸带和窗口设置保存在哪里", "键盘操作"]
# Texts the page must hold, as they stand in it.
NAMED = ["<kbd>Delete</kbd>", "<kbd>Ctrl</kbd>+<kbd>Delete</kbd>", "steps.bak", "<kbd>F2</kbd>"]


def main():
    tree, root, work = sys.argv[1:4]
    problems = []
    source = os.path.join(root, "resources", "talvique.htm")
    shipped = os.path.join(tree, "bin", "talvique.htm")
    with open(source, "rb") as f:
        page = f.read()
    if not os.path.isfile(shipped):
        problems.append("no talvique.htm beside Talvique.exe in " + os.path.join(tree, "bin"))
    else:
        with open(shipped, "rb") as f:
            if f.read() != page:
                problems.append("bin/talvique.htm differs from resources/talvique.htm")

    try:
        text = page.decode("gbk")
    except UnicodeDecodeError as e:
        text = ""
        problems.append("the page is not GBK: %s" % e)
    if not re.search(r"<meta[^>]+charset=gbk", text, re.I):
        problems.append("the page does not declare its charset as GBK")
    title = re.search(r"<title>(.*?)</title>", text, re.S)
    if not title or title.group(1).strip() != TITLE:
        problems.append("the title is %r, expected %r" % (title and title.group(1), TITLE))
    headings = [re.sub(r"<[^>]+>", "", h).strip() for h in re.findall(r"<h2[^>]*>(.*?)</h2>", text, re.S)]
    for section in SECTIONS:
        if section not in headings:
            problems.append("no section %r (sections: %r)" % (section, headings))
    # What a user must be able to find: the keys that clear, and the backup.
    for named in NAMED:
        if named not in text:
            problems.append("the page does not name %r" % named)

    # The zip for Windows holds the page beside the program.
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    archive = os.path.join(work, "Talvique.zip")
    packed = subprocess.run(["bash", os.path.join(root, "scripts", "make-dist.sh"), tree,
                             os.path.join(work, "staging"), archive],
                            capture_output=True, text=True)
    if packed.returncode != 0:
        problems.append("make-dist.sh failed: %s" % packed.stderr.strip())
    else:
        with zipfile.ZipFile(archive, metadata_encoding="gbk") as z:
            names = z.namelist()
            for member in ("Talvique.exe", "talvique.htm", "wav/等于"):
                if member not in names:
                    problems.append("the zip lacks %s" % member)
            if "talvique.htm" in names and z.read("talvique.htm") != page:
                problems.append("the zip's talvique.htm differs from the source")

    for p in problems:
        print("FAILED: " + p)
    if not problems:
        print("talvique.htm: %d bytes, title %r, %d sections; in the program folder and the zip"
              % (len(page), TITLE, len(headings)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
