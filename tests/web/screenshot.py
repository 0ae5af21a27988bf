#!/usr/bin/env python3
"""Saves a picture of the page in headless Chromium, in the state of the desktop's picture: record
264 found by "water", with its readings shown.

usage: /usr/bin/python3 tests/web/screenshot.py <page folder> <picture.png>
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Chromium, serve  # noqa: E402

from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402


def main():
    site, picture = sys.argv[1:3]
    browser = Chromium(width=640, height=800)
    try:
        driver = browser.driver
        driver.get(serve(os.path.abspath(site)) + 'index.html')
        WebDriverWait(driver, 10).until(lambda d: d.execute_script(
            'const f = document.querySelector(\'[data-name="Form1"]\'); return f && !f.hidden'))
        control = lambda name: driver.find_element(
            By.CSS_SELECTOR, f'[data-name="Form1"] [data-name="{name}"]')
        control('Text1').send_keys('water')
        control('Command2').click()
        control('Command4').click()
        driver.find_element(By.CSS_SELECTOR, '[data-name="Form1"]').screenshot(picture)
    finally:
        browser.quit()
    print(picture)


if __name__ == '__main__':
    main()
